#include "makrel/core/entry_limits.h"

#include "dictionary/utf8_text.h"
#include "dictionary/word_item.h"
#include "makrel/core/stored_text.h"

namespace makrel {

namespace {

using lirabo::TTextEncoding;
using lirabo::TWordItem;

constexpr size_t kMaxWarnings = 20;

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
    // Measured as the writer will hold them, so that what fits here fits there.
    Word = WellFormedText(Word);
    Definition = WellFormedText(Definition);
    const bool longWord = Word.size() > TWordItem::kMaxWordLength;
    const bool longDefinition = Definition.size() > TWordItem::kMaxDefinitionLength;
    if (longWord || longDefinition) {
        ++Report.ShortenedEntries;
        const std::string shown =
            Word.substr(0, lirabo::Utf8Boundary(Word, 40)) + (Word.size() > 40 ? "..." : "");
        if (longWord)
            AddWarning(Report, "headword \"" + shown + "\" (" + std::to_string(Word.size()) +
                                   " bytes) shortened to 255 bytes");
        if (longDefinition)
            AddWarning(Report, "definition of \"" + shown + "\" (" + std::to_string(Definition.size()) +
                                   " bytes) shortened to 65535 bytes");
        if (longWord)
            Word.resize(CutPoint(Word, TWordItem::kMaxWordLength, TTextEncoding::Utf8));
        ShortenDefinition(Definition, TWordItem::kMaxDefinitionLength, TTextEncoding::Utf8);
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
