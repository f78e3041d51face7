#include "makrel/core/entry_limits.h"

#include "dictionary/ansi_codec.h"
#include "dictionary/word_item.h"
#include "dictionary/markup_codes.h"

namespace makrel {

namespace {

using namespace lirabo::markup;

constexpr size_t kMaxWarnings = 20;
constexpr char kEllipsis = '\x85';

// Cuts Definition to fit, keeping the link codes paired.
void ShortenDefinition(std::string& Definition)
{
    // Room for a closing link code and the ellipsis.
    Definition.resize(lirabo::TWordItem::kMaxDefinitionLength - 2);
    const size_t start = Definition.rfind(kLinkStart);
    const size_t end = Definition.rfind(kLinkEnd);
    if (start != std::string::npos && (end == std::string::npos || end < start))
        Definition += kLinkEnd;
    Definition += kEllipsis;
}

}  // namespace

void AddWarning(TImportReport& Report, const std::string& Warning)
{
    if (Report.Warnings.size() < kMaxWarnings)
        Report.Warnings.push_back(Warning);
    else if (Report.Warnings.size() == kMaxWarnings)
        Report.Warnings.push_back("further warnings of this import are not shown");
}

void ShortenEntry(TImportReport& Report, std::string& Word, std::string& Definition)
{
    const bool longWord = Word.size() > lirabo::TWordItem::kMaxWordLength;
    const bool longDefinition = Definition.size() > lirabo::TWordItem::kMaxDefinitionLength;
    if (longWord || longDefinition) {
        ++Report.ShortenedEntries;
        const std::string shown = lirabo::AnsiToUtf8(Word.substr(0, 40)) + (Word.size() > 40 ? "..." : "");
        if (longWord)
            AddWarning(Report, "headword \"" + shown + "\" (" + std::to_string(Word.size()) +
                                   " bytes) shortened to 255 bytes");
        if (longDefinition)
            AddWarning(Report, "definition of \"" + shown + "\" (" + std::to_string(Definition.size()) +
                                   " bytes) shortened to 65535 bytes");
        if (longWord)
            Word.resize(lirabo::TWordItem::kMaxWordLength);
        if (longDefinition)
            ShortenDefinition(Definition);
    }
    Report.TextBytes += Word.size() + Definition.size();
    if (Report.TextBytes > Report.MaxTextBytes)
        throw EInputError("the entries would hold more than " + std::to_string(Report.MaxTextBytes) +
                          " bytes of text; no real dictionary is that large");
}

int AddShortened(TDictionaryWriter& Writer, TImportReport& Report, std::string Word, std::string Definition)
{
    ShortenEntry(Report, Word, Definition);
    ++Report.Entries;
    return Writer.Add(std::move(Word), std::move(Definition));
}

}  // namespace makrel
