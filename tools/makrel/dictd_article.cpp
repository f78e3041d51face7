#include "dictd_article.h"

#include <array>
#include "dictionary/markup_codes.h"

namespace makrel {

namespace {

using namespace lirabo::markup;

// Longest bracketed run still taken as a note rather than as prose that
// happens to contain a bracket.
constexpr size_t kMaxNoteLength = 80;

constexpr std::array<std::string_view, 8> kLabels = {"Note",    "Notes",    "Synonym", "Synonyms",
                                                     "Antonym", "Antonyms", "see",     "See also"};

std::string_view Trim(std::string_view Text)
{
    while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t'))
        Text.remove_prefix(1);
    while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t' || Text.back() == '\r'))
        Text.remove_suffix(1);
    return Text;
}

bool AtTokenStart(std::string_view Line, size_t I)
{
    return I == 0 || Line[I - 1] == ' ' || Line[I - 1] == '(';
}

// The end of the run of `Close` at From that is followed by a space or the
// end of the line, or npos.
size_t GroupEnd(std::string_view Line, size_t From, char Close)
{
    for (size_t i = Line.find(Close, From); i != std::string_view::npos; i = Line.find(Close, i + 1)) {
        size_t last = i;
        while (last + 1 < Line.size() && Line[last + 1] == Close)
            ++last;
        if (last + 1 == Line.size() || Line[last + 1] == ' ')
            return last;
        i = last;
    }
    return std::string_view::npos;
}

}  // namespace

std::string TDictdArticleFormatter::Fold(std::string_view Text)
{
    std::string folded;
    for (const char ch : Text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7))
            folded += static_cast<char>(c);
        else if (c >= 'A' && c <= 'Z')
            folded += static_cast<char>(c + 32);
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
            folded += static_cast<char>(c + 32);
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            folded += static_cast<char>(c + 16);
        else if (c == 0x9A || c == 0x9C || c == 0x9E || c == 0x83 || c == 0xB5)
            folded += static_cast<char>(c);
        else if (c == 0x9F)
            folded += '\xFF';
    }
    return folded;
}

std::vector<TDictdArticleFormatter::Candidate> TDictdArticleFormatter::Candidates(std::string_view Headline)
{
    std::vector<Candidate> result;
    size_t end = Headline.find(" /");
    if (end == std::string_view::npos)
        end = Headline.find(" <");
    if (end == std::string_view::npos)
        end = Headline.size();
    result.push_back({Headline.substr(0, end), true});
    for (size_t open = Headline.find(" (", end); open != std::string_view::npos;
         open = Headline.find(" (", open + 1)) {
        const size_t close = GroupEnd(Headline, open + 3, ')');
        if (close == std::string_view::npos)
            break;
        std::string_view variant = Headline.substr(open + 2, close - open - 2);
        variant = variant.substr(0, std::min(variant.find(" /"), variant.find(", ")));
        result.push_back({Trim(variant), false});
        open = close;
    }
    return result;
}

bool TDictdArticleFormatter::Format(std::string_view IndexWord, std::string_view Article, int Occurrence,
                                    TDictdEntry& Entry)
{
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= Article.size();) {
        size_t end = Article.find('\n', start);
        if (end == std::string_view::npos)
            end = Article.size();
        const std::string_view line = Trim(Article.substr(start, end - start));
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }

    TDictdEntry entry;
    size_t bodyFrom = 0;
    std::string_view headlineRest;
    bool restIsHeadline = false;
    bool matched = false;
    if (!lines.empty()) {
        const std::string target = Fold(FScratch.Convert(IndexWord));
        int skip = Occurrence;
        for (const Candidate& c : Candidates(lines[0])) {
            if (Fold(FScratch.Convert(c.Text)) != target || skip-- > 0)
                continue;
            matched = true;
            entry.Word = FText.Convert(c.Text);
            if (c.Head) {
                headlineRest = Trim(lines[0].substr(c.Text.size()));
                bodyFrom = 1;
                restIsHeadline = true;
            }
            break;
        }
    }
    if (!matched && Occurrence > 0)
        return false;
    if (bodyFrom == 0 && entry.Word.empty()) {
        const std::string_view word = Trim(IndexWord);
        entry.Word = FText.Convert(word.empty() && !lines.empty() ? Candidates(lines[0])[0].Text : word);
    }

    std::string& out = entry.Definition;
    if (restIsHeadline && !headlineRest.empty())
        AppendInline(out, headlineRest);
    for (size_t i = bodyFrom; i < lines.size(); ++i) {
        if (!out.empty())
            out += kLineBreak;
        AppendLine(out, lines[i]);
    }
    Entry = std::move(entry);
    return true;
}

void TDictdArticleFormatter::AppendLine(std::string& Out, std::string_view Line)
{
    for (const std::string_view label : kLabels) {
        if (Line.size() > label.size() && Line.starts_with(label) && Line[label.size()] == ':') {
            Out += kField;
            FText.Append(Out, Line.substr(0, label.size() + 1));
            Out += kDefinition;
            Out += ' ';
            AppendInline(Out, Trim(Line.substr(label.size() + 1)));
            return;
        }
    }
    // An example: "phrase"  - translation
    if (Line.front() == '"') {
        const size_t close = Line.find("\"  - ");
        if (close != std::string_view::npos && close > 0) {
            Out += kItalic;
            FText.Append(Out, Line.substr(0, close + 1));
            Out += kItalic;
            Out += " - ";
            AppendInline(Out, Line.substr(close + 5));
            return;
        }
    }
    AppendInline(Out, Line);
}

void TDictdArticleFormatter::AppendInline(std::string& Out, std::string_view Line)
{
    size_t run = 0;  // start of the text not yet written
    const auto flush = [&](size_t upTo) { FText.Append(Out, Line.substr(run, upTo - run)); };
    for (size_t i = 0; i < Line.size(); ++i) {
        const char c = Line[i];
        size_t close = std::string_view::npos;
        char open = 0;
        char after = 0;
        if (c == '{') {
            close = Line.find('}', i + 1);
            open = kLinkStart;
            after = kLinkEnd;
        } else if (c == '<') {
            close = Line.find('>', i + 1);
            open = kGrammar;
            after = kDefinition;
        } else if (c == '[' && AtTokenStart(Line, i)) {
            close = Line.find(']', i + 1);
            open = kField;
            after = kDefinition;
        } else if (c == '/' && AtTokenStart(Line, i)) {
            close = i + 1 < Line.size() ? Line.find('/', i + 1) : std::string_view::npos;
            if (close != std::string_view::npos && close + 1 < Line.size() && Line[close + 1] != ' ' &&
                Line[close + 1] != ',' && Line[close + 1] != ')')
                close = std::string_view::npos;
            open = kItalic;
            after = kItalic;
        }
        if (close == std::string_view::npos || close == i + 1 || close - i > kMaxNoteLength)
            continue;
        const std::string_view inside = Line.substr(i + 1, close - i - 1);
        // Nested, unbalanced or spaced like prose ("a < b and c > d"): leave it as text.
        if (inside.find(Line[i]) != std::string_view::npos || inside.front() == ' ' || inside.back() == ' ')
            continue;
        flush(i);
        Out += open;
        if (c == '/')
            FText.Append(Out, Line.substr(i, close - i + 1));
        else
            FText.Append(Out, inside);
        Out += after;
        i = close;
        run = close + 1;
    }
    flush(Line.size());
}

}  // namespace makrel
