#include "makrel/dictd/dictd_notice.h"

#include <algorithm>
#include <array>
#include <vector>

#include <unicode/uchar.h>

#include "dictionary/utf8_text.h"
#include "dictionary/word_order.h"

namespace makrel {

namespace {

// The status bar has one line: a sentence of more characters is cut at a word.
constexpr size_t kMaxSentence = 160;
// Lines gathered before and after the naming one, at most.
constexpr size_t kMaxFollowingLines = 4;
constexpr std::string_view kDash = " \xE2\x80\x93 ";  // an en dash
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// In upper case, as the text is compared.
constexpr std::array<std::string_view, 5> kRightsWords = {"COPYRIGHT", "LICENCE", "LICENSE", "PUBLIC DOMAIN",
                                                          "(C)"};

bool NamesRights(std::string_view Line)
{
    const std::string upper = lirabo::UpperCaseAscii(Line);
    return std::any_of(kRightsWords.begin(), kRightsWords.end(),
                       [&](std::string_view word) { return upper.find(word) != std::string::npos; });
}

// A line of the description without the comment or bullet marks some put
// first; a marked line is a record of its own ("# License :: GPL").
struct TDescriptionLine {
    std::string_view Text;
    bool Marked = false;
};

bool EndsSentence(std::string_view Line)
{
    return !Line.empty() && (Line.back() == '.' || Line.back() == '!' || Line.back() == '?');
}

std::vector<TDescriptionLine> Lines(std::string_view Text)
{
    std::vector<TDescriptionLine> lines;
    for (size_t start = 0; start <= Text.size();) {
        const size_t end = std::min(Text.find('\n', start), Text.size());
        std::string_view line = Text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        const bool marked = !line.empty() && (line.front() == '#' || line.front() == '*');
        while (!line.empty() && (line.front() == '#' || line.front() == '*' || line.front() == ' '))
            line.remove_prefix(1);
        lines.push_back({line, marked});
    }
    return lines;
}

// Whether Text[At] begins a capital letter of any script.
bool CapitalAt(std::string_view Text, size_t At)
{
    const auto c = static_cast<UChar32>(lirabo::NextUnit(Text, At));
    return u_isupper(c) || u_istitle(c);
}

// The byte length of Text's first Count characters (all of Text when it
// holds no more).
size_t CharactersLength(std::string_view Text, size_t Count)
{
    size_t i = 0;
    for (size_t n = 0; n < Count && i < Text.size(); ++n)
        lirabo::NextUnit(Text, i);
    return i;
}

// Where the sentence that holds Text[At] starts and ends: after and at a
// full stop followed by a capital, so that "ver. 2.0" stays whole.
std::string_view SentenceAt(std::string_view Text, size_t At)
{
    const auto endsAt = [&](size_t i) {
        return (Text[i] == '.' || Text[i] == '!' || Text[i] == '?') &&
               (i + 1 == Text.size() ||
                (Text[i + 1] == ' ' && i + 2 < Text.size() && CapitalAt(Text, i + 2)));
    };
    size_t start = At;
    while (start > 0 && !endsAt(start - 1))
        --start;
    size_t end = At;
    while (end < Text.size() && !endsAt(end))
        ++end;
    Text = Text.substr(start, std::min(end + 1, Text.size()) - start);
    while (!Text.empty() && Text.front() == ' ')
        Text.remove_prefix(1);
    return Text;
}

// The sentence around line I: the lines of its paragraph that belong to it
// (back to a line after a blank one or after a sentence's end, on to where
// it ends), joined, then cut to the sentence that names the rights.
std::string Sentence(const std::vector<TDescriptionLine>& Lines, size_t I)
{
    size_t first = I;
    while (first > 0 && first + kMaxFollowingLines > I && !Lines[first].Marked && !Lines[first - 1].Text.empty() &&
           !EndsSentence(Lines[first - 1].Text))
        --first;
    size_t last = I;
    while (last + 1 < Lines.size() && last < I + kMaxFollowingLines && !EndsSentence(Lines[last].Text) &&
           !Lines[last + 1].Text.empty() && !Lines[last + 1].Marked)
        ++last;
    std::string joined;
    size_t naming = 0;
    for (size_t i = first; i <= last; ++i) {
        if (!joined.empty())
            joined += ' ';
        if (i == I)
            naming = joined.size();
        joined += Lines[i].Text;
    }
    const std::string upper = lirabo::UpperCaseAscii(joined);
    size_t at = std::string::npos;
    for (const std::string_view word : kRightsWords)
        at = std::min(at, upper.find(word, naming));
    std::string sentence(SentenceAt(joined, at == std::string::npos ? naming : at));
    // "Copyright (c) :: Name": a key-value layout's separator reads as a colon.
    for (size_t pos = sentence.find(" ::"); pos != std::string::npos; pos = sentence.find(" ::", pos))
        sentence.replace(pos, 3, ":");
    while (!sentence.empty() && (sentence.back() == ',' || sentence.back() == ';' || sentence.back() == ':'))
        sentence.pop_back();
    if (const size_t limit = CharactersLength(sentence, kMaxSentence); limit < sentence.size()) {
        const size_t cut = sentence.rfind(' ', limit);
        sentence.resize(cut == std::string::npos ? limit : cut);
        while (!sentence.empty() && (sentence.back() == ',' || sentence.back() == ';'))
            sentence.pop_back();
        sentence += kEllipsis;
    }
    return sentence;
}

}  // namespace

std::string DictdNotice(std::string_view Name, std::string_view Information, std::string_view URL)
{
    std::string tail;
    const std::vector<TDescriptionLine> lines = Lines(Information);
    for (size_t i = 0; i < lines.size() && tail.empty(); ++i)
        if (!lines[i].Text.empty() && NamesRights(lines[i].Text))
            tail = Sentence(lines, i);
    if (tail.empty())
        tail = URL;
    if (Name.empty() || tail.empty())
        return Name.empty() ? tail : std::string(Name);
    return std::string(Name) + std::string(kDash) + tail;
}

}  // namespace makrel
