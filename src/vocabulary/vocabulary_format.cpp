#include "vocabulary/vocabulary_format.h"

#include "dictionary/ansi_codec.h"

namespace lirabo {

namespace {

bool IsAscii(std::string_view Bytes)
{
    for (const char c : Bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool IsUtf8(std::string_view Bytes)
{
    size_t position = 0;
    char32_t character = 0;
    while (position < Bytes.size()) {
        if (!DecodeUtf8(Bytes, position, character))
            return false;
    }
    return true;
}

}  // namespace

bool ParseVocabulary(std::string_view Bytes, std::vector<std::string>& Lines)
{
    const std::string_view text = Bytes.substr(0, Bytes.find('\0'));
    if (text.size() > kMaxVocabularyFileSize)
        return false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 && byte != '\r' && byte != '\n' && byte != '\t')
            return false;
    }
    // One encoding for the whole file, as it was written.
    const bool utf8 = IsUtf8(text);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string_view::npos)
            stop = text.size();
        const std::string_view line = text.substr(start, stop - start);
        lines.push_back(utf8 ? std::string(line) : AnsiToUtf8(line));
        if (stop + 1 < text.size() && text[stop] == '\r' && text[stop + 1] == '\n')
            ++stop;
        start = stop + 1;
    }
    Lines = std::move(lines);
    return true;
}

std::string SerializeVocabulary(const std::vector<std::string>& Lines)
{
    std::string utf8;
    for (const std::string& line : Lines)
        utf8 += line + "\r\n";
    if (IsAscii(utf8))
        return utf8;
    const TAnsiConversion ansi = Utf8ToAnsi(utf8);
    if (ansi.Unmappable > 0 || !ansi.ValidUtf8 || IsUtf8(ansi.Text))
        return utf8;
    return ansi.Text;
}

}  // namespace lirabo
