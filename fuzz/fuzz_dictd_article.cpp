// makrel turns dictd databases from anywhere into dictionaries. The first
// two bytes choose how the import found the source (the wrap column, whether
// the index keeps case, which repeat of an index word this is); the rest is
// an index word, a tab and the article. Whatever comes out must be an entry
// the view can lay out: well-formed UTF-8 (no character cut in two), no NUL,
// and no byte below 32 that is not mark-up.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dictionary/markup_codes.h"
#include "dictionary/utf8_text.h"
#include "makrel/dictd/dictd_article.h"
#include "makrel/dictd/dictd_notice.h"
#include "makrel/dictd/letter_codes.h"
#include "makrel/dictd/wrap_column.h"

namespace {

bool IsMarkup(unsigned char c)
{
    using namespace lirabo::markup;
    return c == kBody || c == kBold || c == kItalic || c == kUnderline || c == kStrikeOut || c == kDefinition ||
           c == kGrammar || c == kLinkStart || c == kField || c == kLineBreak || c == kLinkEnd;
}

void CheckEntryText(const std::string& Text, bool Headword)
{
    if (lirabo::FindInvalidUtf8(Text) != std::string::npos)
        std::abort();
    for (const char ch : Text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 && (Headword || !IsMarkup(c)))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 2)
        return 0;
    const int column = Data[0] % 2 ? 0 : 20 + Data[0] % 100;
    const std::string_view rest(reinterpret_cast<const char*>(Data + 2), Size - 2);
    const size_t tab = rest.find('\t');
    const std::string_view word = rest.substr(0, tab);
    const std::string_view article = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);

    makrel::TEntryText text;
    makrel::TDictdArticleFormatter formatter(text);
    formatter.SetWrapColumn(column);
    formatter.SetIndexSpells(Data[1] & 1);
    makrel::TDictdEntry entry;
    if (formatter.Format(word, article, (Data[1] >> 1) & 3, entry)) {
        CheckEntryText(entry.Word, true);
        CheckEntryText(entry.Definition, false);
    }

    makrel::TWrapColumn wrap;
    wrap.Add(article);
    const int found = wrap.Column();
    if (found != 0 && (found < 40 || found > 132))
        std::abort();
    (void)makrel::ReplaceLetterCodes(article);
    (void)makrel::DictdNotice(word, article, word);
    return 0;
}
