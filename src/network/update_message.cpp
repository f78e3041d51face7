#include "network/update_message.h"

#include "dictionary/ansi_codec.h"

namespace lirabo::network {

namespace {

bool ValidUtf8(std::string_view Text)
{
    size_t position = 0;
    char32_t character = 0;
    while (position < Text.size())
        if (!DecodeUtf8(Text, position, character))
            return false;
    return true;
}

bool IsControl(char32_t C)
{
    return C < 0x20 || (C >= 0x7F && C <= 0x9F);
}

// Whether Rest holds anything that would have been shown.
bool HasVisibleText(std::string_view Rest)
{
    for (unsigned char c : Rest)
        if (c > 0x20 && c != 0x7F)
            return true;
    return false;
}

// The first Limit bytes of Text, without a UTF-8 sequence the limit cut in
// two.
std::string_view Bounded(std::string_view Text, size_t Limit)
{
    if (Text.size() <= Limit)
        return Text;
    std::string_view bounded = Text.substr(0, Limit);
    size_t back = 0;
    while (back < 3 && !bounded.empty() && (static_cast<unsigned char>(bounded.back()) & 0xC0) == 0x80) {
        bounded.remove_suffix(1);
        ++back;
    }
    if (!bounded.empty() && static_cast<unsigned char>(bounded.back()) >= 0xC0)
        bounded.remove_suffix(1);
    return bounded;
}

}  // namespace

std::string UpdateMessageText(std::string_view Argument)
{
    // Never decode more than could be shown: every shown character takes at
    // most four bytes, and line ends two.
    const std::string_view bounded = Bounded(Argument, 4 * (kMaxMessageCharacters + 1) + 2 * kMaxMessageLines);
    const std::string utf8 = ValidUtf8(bounded) ? std::string(bounded) : AnsiToUtf8(bounded);
    const std::string_view text = utf8;

    std::string out;
    size_t characters = 0;
    size_t lines = 1;
    bool cut = false;
    size_t position = 0;
    while (position < text.size()) {
        char32_t c = 0;
        const size_t start = position;
        if (!DecodeUtf8(text, position, c))
            break;  // cannot happen: the text is valid UTF-8 either way
        if (c == '\r' || c == '\n') {
            if (c == '\r' && position < text.size() && text[position] == '\n')
                ++position;
            if (lines == kMaxMessageLines) {
                cut = HasVisibleText(text.substr(position)) || bounded.size() < Argument.size();
                break;
            }
            ++lines;
            out += '\n';
            continue;
        }
        if (c != '\t' && IsControl(c))
            continue;
        if (characters == kMaxMessageCharacters) {
            cut = HasVisibleText(text.substr(start)) || bounded.size() < Argument.size();
            break;
        }
        ++characters;
        AppendUtf8(out, c);
    }
    if (position >= text.size() && bounded.size() < Argument.size())
        cut = true;
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ' || out.back() == '\t'))
        out.pop_back();
    if (cut && !out.empty())
        out += "\xE2\x80\xA6";
    return out;
}

}  // namespace lirabo::network
