#include "dictionary/display_text.h"

#include "dictionary/ansi_codec.h"
#include "dictionary/utf8_text.h"

namespace lirabo {

std::string ToDisplayText(std::string_view Stored, TTextEncoding Encoding)
{
    if (Encoding == TTextEncoding::Utf8)
        return ShowableUtf8(Stored);
    return AnsiToUtf8(Stored);
}

TStoredText ToStoredText(std::string_view Utf8, TTextEncoding Encoding)
{
    if (Encoding == TTextEncoding::Utf8)
        return {ShowableUtf8(Utf8), true, 0};
    // A decomposed letter (e and a combining acute, as some systems copy
    // text) is the one byte Windows-1252 has for it, not a mark it lacks.
    TAnsiConversion ansi = Utf8ToAnsi(NormalizeNfc(Utf8));
    TStoredText stored;
    stored.Text = std::move(ansi.Text);
    stored.Fits = ansi.Unmappable == 0 && ansi.ValidUtf8;
    stored.FirstUnfit = ansi.Unmappable != 0 ? ansi.FirstUnmappable : 0xFFFD;
    if (stored.Fits)
        stored.FirstUnfit = 0;
    return stored;
}

}  // namespace lirabo
