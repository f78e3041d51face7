#include "makrel/stardict/html_converter.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "dictionary/ansi_codec.h"
#include "dictionary/markup_codes.h"

namespace makrel {

namespace {

using namespace lirabo::markup;


// Longer than any entity name, so a stray & never scans far.
constexpr size_t kMaxEntityLength = 10;

struct NamedEntity {
    std::string_view Name;
    char32_t Character;
};

constexpr NamedEntity kEntities[] = {
    {"amp", '&'},      {"lt", '<'},        {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},    {"copy", 0xA9},     {"reg", 0xAE},     {"trade", 0x2122}, {"mdash", 0x2014},
    {"ndash", 0x2013}, {"hellip", 0x2026}, {"laquo", 0xAB},   {"raquo", 0xBB},   {"lsquo", 0x2018},
    {"rsquo", 0x2019}, {"ldquo", 0x201C},  {"rdquo", 0x201D}, {"bdquo", 0x201E}, {"bull", 0x2022},
    {"middot", 0xB7},  {"deg", 0xB0},      {"plusmn", 0xB1},  {"times", 0xD7},   {"divide", 0xF7},
    {"euro", 0x20AC},  {"pound", 0xA3},    {"sect", 0xA7},    {"para", 0xB6},    {"shy", 0xAD},
    {"auml", 0xE4},    {"ouml", 0xF6},     {"uuml", 0xFC},    {"Auml", 0xC4},    {"Ouml", 0xD6},
    {"Uuml", 0xDC},    {"szlig", 0xDF},    {"eacute", 0xE9},  {"egrave", 0xE8},  {"agrave", 0xE0},
    {"aacute", 0xE1},  {"ccedil", 0xE7},   {"ecirc", 0xEA},   {"iacute", 0xED},  {"oacute", 0xF3},
    {"uacute", 0xFA},  {"ntilde", 0xF1},   {"Eacute", 0xC9},  {"acute", 0xB4},   {"thinsp", 0x2009},
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

void AppendCharacter(std::string& Out, char32_t c)
{
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;  // the replacement character: the reference names none
    lirabo::AppendUtf8(Out, c);
}

// Decodes the entity at Html[I] (an &); false when it is none.
bool DecodeEntity(std::string_view Html, size_t& I, std::string& Out)
{
    const size_t end = Html.find(';', I + 1);
    if (end == std::string_view::npos || end - I - 1 > kMaxEntityLength || end == I + 1)
        return false;
    const std::string_view name = Html.substr(I + 1, end - I - 1);
    if (name[0] == '#') {
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const std::string_view digits = name.substr(hex ? 2 : 1);
        uint32_t value = 0;
        const auto [ptr, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
        if (digits.empty() || error != std::errc() || ptr != digits.data() + digits.size())
            return false;
        AppendCharacter(Out, value);
    } else {
        const auto it = std::find_if(std::begin(kEntities), std::end(kEntities),
                                     [&](const NamedEntity& e) { return e.Name == name; });
        if (it == std::end(kEntities))
            return false;
        AppendCharacter(Out, it->Character);
    }
    I = end + 1;
    return true;
}

std::string LowerAscii(std::string_view Text)
{
    std::string lower(Text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return lower;
}

bool IsBlock(const std::string& Tag)
{
    return Tag == "p" || Tag == "div" || Tag == "li" || Tag == "tr" || Tag == "blockquote" ||
           (Tag.size() == 2 && Tag[0] == 'h' && Tag[1] >= '1' && Tag[1] <= '6');
}

// The open/close state of the toggling styles and of a link.
struct Styles {
    int Bold = 0;
    int Italic = 0;
    int Underline = 0;
    int StrikeOut = 0;
    bool Link = false;
};

// Counts a nested opening or closing; emits the toggle only at the outermost.
void Toggle(std::string& Out, int& Depth, bool Closing, char Code)
{
    if (Closing) {
        if (Depth == 0)
            return;
        if (--Depth == 0)
            Out += Code;
    } else if (Depth++ == 0) {
        Out += Code;
    }
}

void LineBreak(std::string& Out, size_t Start)
{
    if (Out.size() > Start && Out.back() != kLineBreak)
        Out += kLineBreak;
}

}  // namespace

std::string THtmlConverter::DecodeEntities(std::string_view Html)
{
    std::string out;
    for (size_t i = 0; i < Html.size();) {
        if (Html[i] == '&' && DecodeEntity(Html, i, out))
            continue;
        out += Html[i++];
    }
    return out;
}

void THtmlConverter::Append(std::string& Out, std::string_view Html)
{
    const size_t start = Out.size();
    Styles open;
    std::string text;    // UTF-8 text waiting for conversion
    bool space = false;  // a collapsed space is pending
    const auto flushText = [&]() {
        if (text.empty())
            return;
        FText.Append(Out, text);
        text.clear();
    };
    size_t i = 0;
    while (i < Html.size()) {
        const char c = Html[i];
        if (c == '<') {
            if (Html.substr(i, 4) == "<!--") {
                const size_t end = Html.find("-->", i + 4);
                i = end == std::string_view::npos ? Html.size() : end + 3;
                continue;
            }
            const size_t end = Html.find('>', i + 1);
            const bool closing = i + 1 < Html.size() && Html[i + 1] == '/';
            const size_t nameStart = i + (closing ? 2 : 1);
            size_t nameEnd = nameStart;
            while (nameEnd < Html.size() && (std::isalnum(static_cast<unsigned char>(Html[nameEnd]))))
                ++nameEnd;
            if (end == std::string_view::npos || nameEnd == nameStart) {
                // Not a tag: a lone < is text.
                if (space && !text.empty())
                    text += ' ';
                space = false;
                text += c;
                ++i;
                continue;
            }
            const std::string tag = LowerAscii(Html.substr(nameStart, nameEnd - nameStart));
            i = end + 1;
            if (!closing && (tag == "script" || tag == "style")) {
                const size_t close = LowerAscii(Html.substr(i)).find("</" + tag);
                i = close == std::string::npos ? Html.size() : i + close;
                continue;
            }
            const bool block = IsBlock(tag);
            const bool inline_ = tag == "b" || tag == "strong" || tag == "i" || tag == "em" || tag == "u" ||
                                 tag == "ins" || tag == "s" || tag == "strike" || tag == "del" || tag == "a";
            if (!block && !inline_ && tag != "br")
                continue;
            // A pending space belongs before inline mark-up, never at a line start.
            if (space && inline_ && (!text.empty() || (Out.size() > start && Out.back() != kLineBreak)))
                text += ' ';
            space = false;
            flushText();
            if (tag == "br") {
                Out += kLineBreak;
            } else if (block) {
                LineBreak(Out, start);
            } else if (tag == "b" || tag == "strong") {
                Toggle(Out, open.Bold, closing, kBold);
            } else if (tag == "i" || tag == "em") {
                Toggle(Out, open.Italic, closing, kItalic);
            } else if (tag == "u" || tag == "ins") {
                Toggle(Out, open.Underline, closing, kUnderline);
            } else if (tag == "s" || tag == "strike" || tag == "del") {
                Toggle(Out, open.StrikeOut, closing, kStrikeOut);
            } else if (tag == "a" && closing == open.Link) {
                Out += closing ? kLinkEnd : kLinkStart;
                open.Link = !closing;
            }
            continue;
        }
        if (IsSpace(c)) {
            space = true;
            ++i;
            continue;
        }
        if (space && (!text.empty() || (Out.size() > start && Out.back() != kLineBreak)))
            text += ' ';
        space = false;
        if (c == '&' && DecodeEntity(Html, i, text))
            continue;
        text += c;
        ++i;
    }
    flushText();
    while (Out.size() > start && Out.back() == kLineBreak)
        Out.pop_back();
    if (open.Link)
        Out += kLinkEnd;
    for (const auto& [depth, code] :
         {std::pair{open.Bold, kBold}, std::pair{open.Italic, kItalic}, std::pair{open.Underline, kUnderline},
          std::pair{open.StrikeOut, kStrikeOut}})
        if (depth > 0)
            Out += code;
}

std::string THtmlConverter::PlainText(std::string_view Html)
{
    std::string marked;
    Append(marked, Html);
    std::string plain;
    for (const char c : marked) {
        if (c == kLineBreak)
            plain += "\r\n";
        else if (static_cast<unsigned char>(c) >= 32)
            plain += c;
    }
    return plain;
}

}  // namespace makrel
