#include "makrel/dictd/dictd_article.h"

#include <algorithm>
#include <array>

#include "dictionary/ansi_codec.h"
#include "dictionary/markup_codes.h"
#include "dictionary/utf8_text.h"
#include "makrel/dictd/letter_codes.h"
#include "makrel/dictd/paragraph_reflow.h"

namespace makrel {

namespace {

using namespace lirabo::markup;

// Longest bracketed run still taken as a note rather than as prose that
// happens to contain a bracket.
constexpr size_t kMaxNoteLength = 80;

constexpr std::array<std::string_view, 8> kLabels = {"Note",    "Notes",    "Synonym", "Synonyms",
                                                     "Antonym", "Antonyms", "see",     "See also"};
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
constexpr std::string_view kSyllableDot = "\xC2\xB7";
constexpr std::string_view kStressMark = "\xC2\xB4";
// In prose a bracket holds an etymology, a source or a remark as often as a
// label; a label is a word or three ("[Obs.]", "[IRC; common]").
constexpr size_t kMaxProseLabel = 24;
constexpr size_t kMaxProseLabelBlanks = 2;
// Labels of wrapped prose only, which lines of translations never start with.
constexpr std::array<std::string_view, 2> kProseLabels = {"Syn", "Usage"};

std::string_view Trim(std::string_view Text)
{
    while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t'))
        Text.remove_prefix(1);
    while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t' || Text.back() == '\r'))
        Text.remove_suffix(1);
    return Text;
}

// A letter of ASCII or the first byte of any other character.
bool StartsWord(char C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || static_cast<unsigned char>(C) >= 0x80;
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

// Whether a character beyond ASCII belongs to a word as dictd indexes it:
// everything but the punctuation, symbols and spaces of the blocks that
// hold them. A byte that is not UTF-8 belongs to none.
bool IsWordCharacter(char32_t C)
{
    const bool punctuation = (C < 0xC0 && C != 0xAA && C != 0xB5 && C != 0xBA) || C == 0xD7 || C == 0xF7 ||
                             (C >= 0x2000 && C <= 0x2BFF) || (C >= 0x2E00 && C <= 0x2E7F) ||
                             (C >= 0x3000 && C <= 0x303F) || (C >= 0xFE10 && C <= 0xFE1F) ||
                             (C >= 0xFE30 && C <= 0xFE6F) || C == 0xFEFF || (C >= 0xFF01 && C <= 0xFF0F) ||
                             (C >= 0xFF1A && C <= 0xFF20) || (C >= 0xFF3B && C <= 0xFF40) ||
                             (C >= 0xFF5B && C <= 0xFF65) || C >= lirabo::kInvalidUnit;
    return !punctuation;
}

}  // namespace

std::string TDictdArticleFormatter::Fold(std::string_view Text)
{
    std::string folded;
    size_t i = 0;
    while (i < Text.size()) {
        const char32_t c = lirabo::NextUnit(Text, i);
        if (c < 0x80 ? (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
                     : IsWordCharacter(c))
            lirabo::AppendUtf8(folded, lirabo::FoldUnit(c));
    }
    return folded;
}

std::vector<TDictdArticleFormatter::Candidate> TDictdArticleFormatter::Candidates(std::string_view Headline)
{
    std::vector<Candidate> result;
    size_t end = Headline.find(" /");
    if (end == std::string_view::npos)
        end = Headline.find(" <");
    // A head before its `\syl*la*ble\` form has no variants: what follows
    // in parentheses is a respelling or a subject.
    const size_t form = Headline.find(" \\");
    if (form < end) {
        result.push_back({Headline.substr(0, form), true});
        return result;
    }
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
    using TLine = TParagraphReflow::TLine;
    const std::vector<TLine> lines = TParagraphReflow::Split(Article);

    TDictdEntry entry;
    std::string_view headlineRest;
    bool restIsHeadline = false;
    bool matched = false;
    if (!lines.empty()) {
        const std::string target = Fold(FText.Convert(IndexWord));
        int skip = Occurrence;
        for (const Candidate& c : Candidates(lines[0].Text)) {
            if (Fold(FText.Convert(c.Text)) != target || skip-- > 0)
                continue;
            matched = true;
            entry.Word = FText.Convert(c.Head && FIndexSpells ? Trim(IndexWord) : c.Text);
            if (c.Head) {
                headlineRest = Trim(lines[0].Text.substr(c.Text.size()));
                restIsHeadline = true;
            }
            break;
        }
    }
    if (!matched && Occurrence > 0)
        return false;
    if (!restIsHeadline && entry.Word.empty()) {
        const std::string_view word = Trim(IndexWord);
        entry.Word = FText.Convert(word.empty() && !lines.empty() ? Candidates(lines[0].Text)[0].Text : word);
    }

    // The body's lines, starting with what the headline holds beyond the
    // headword: its wrapped continuation joins it like any paragraph's.
    std::vector<TLine> body;
    if (!restIsHeadline) {
        body = lines;
    } else if (!headlineRest.empty()) {
        body.push_back(lines[0]);
        body.back().Text = headlineRest;
        body.back().Indent = 0;
    }
    const bool startsWithHeadline = !body.empty() && (!restIsHeadline || !headlineRest.empty());
    if (restIsHeadline)
        body.insert(body.end(), lines.begin() + 1, lines.end());
    AppendBody(entry.Definition, TParagraphReflow(FWrapColumn).Reflow(body), startsWithHeadline, restIsHeadline);
    Entry = std::move(entry);
    return true;
}

void TDictdArticleFormatter::AppendBody(std::string& Out, const std::vector<TParagraphReflow::TParagraph>& Paragraphs,
                                        bool StartsWithHeadline, bool RestIsHeadline)
{
    std::string decoded;
    for (size_t i = 0; i < Paragraphs.size(); ++i) {
        std::string_view text = Paragraphs[i].Text;
        if (Paragraphs[i].Aligned) {
            // A pattern, a program or a table: its brackets, slashes and
            // angles are its own ("grep '[^a]*[-s]'"), not letter codes,
            // labels or grammar, and changing one would break it.
            if (!Out.empty())
                Out += kLineBreak;
            FText.Append(Out, text);
            continue;
        }
        if (FWrapColumn > 0 && text.find('[') != std::string_view::npos) {
            decoded = ReplaceLetterCodes(text);
            text = decoded;
        }
        if (!Out.empty() && IsCitation(Paragraphs, i)) {
            // Quiet, at the end of the text it cites, and never split over
            // two lines: its blanks do not break.
            Out += ' ';
            Out += kGrammar;
            for (const char c : FText.Convert(text)) {
                if (c == ' ')
                    Out += kNoBreakSpace;
                else
                    Out += c;
            }
            Out += kDefinition;
            continue;
        }
        if (!Out.empty())
            Out += kLineBreak;
        const bool headline = StartsWithHeadline && i == 0;
        if (headline && RestIsHeadline)
            AppendInline(Out, text, true);
        else
            AppendLine(Out, text, headline);
    }
}

bool TDictdArticleFormatter::IsCitation(const std::vector<TParagraphReflow::TParagraph>& Paragraphs, size_t I) const
{
    const TParagraphReflow::TParagraph& p = Paragraphs[I];
    // Where lines carry meaning, a bracket on a line of its own is a label
    // of the line before or after it ("[ugs.]" above its examples).
    if (FWrapColumn == 0 || I == 0 || p.AfterBlank || p.First != p.Last || !TParagraphReflow::IsBracketNote(p.Text))
        return false;
    // Notes stacked at a paragraph's end ("[Obs.]" over "[1913 Webster]")
    // all belong to its text.
    for (size_t next = I + 1; next < Paragraphs.size(); ++next) {
        const TParagraphReflow::TParagraph& n = Paragraphs[next];
        if (n.AfterBlank)
            return true;
        if (n.First != n.Last || !TParagraphReflow::IsBracketNote(n.Text))
            return false;
    }
    return true;
}

void TDictdArticleFormatter::AppendLine(std::string& Out, std::string_view Line, bool Headline)
{
    const auto labelled = [&](std::string_view label) {
        if (Line.size() <= label.size() || !Line.starts_with(label) || Line[label.size()] != ':')
            return false;
        Out += kField;
        FText.Append(Out, Line.substr(0, label.size() + 1));
        Out += kDefinition;
        Out += ' ';
        AppendInline(Out, Trim(Line.substr(label.size() + 1)));
        return true;
    };
    if (std::any_of(kLabels.begin(), kLabels.end(), labelled) ||
        (FWrapColumn > 0 && std::any_of(kProseLabels.begin(), kProseLabels.end(), labelled)))
        return;
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
    AppendInline(Out, Line, Headline);
}

void TDictdArticleFormatter::AppendInline(std::string& Out, std::string_view Line, bool Headline)
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
        } else if (c == '\\' && Headline && AtTokenStart(Line, i)) {
            close = Line.find('\\', i + 1);
            open = kItalic;
            after = kItalic;
        }
        if (close == std::string_view::npos || close == i + 1 || close - i > kMaxNoteLength)
            continue;
        const std::string_view inside = Line.substr(i + 1, close - i - 1);
        // Nested, unbalanced or spaced like prose ("a < b and c > d"): leave it as text.
        if (inside.find(Line[i]) != std::string_view::npos || inside.front() == ' ' || inside.back() == ' ')
            continue;
        // In prose a bracket around links is an etymology or a
        // cross-reference, not a label: its links should work. One with a
        // number cites a source ("[Sammet 1969, p.638]"). One that does not
        // start with a word ("[^x]", "[-s]") is a pattern or an optional
        // ending, meaningless without its brackets.
        if (c == '[' && FWrapColumn > 0 &&
            (inside.find_first_of("{0123456789") != std::string_view::npos || inside.size() > kMaxProseLabel ||
             static_cast<size_t>(std::count(inside.begin(), inside.end(), ' ')) > kMaxProseLabelBlanks ||
             !StartsWord(inside.front())))
            continue;
        flush(i);
        Out += open;
        if (c == '/')
            FText.Append(Out, Line.substr(i, close - i + 1));
        else if (c == '\\')
            AppendSyllables(Out, inside);
        else
            FText.Append(Out, inside);
        Out += after;
        i = close;
        run = close + 1;
    }
    flush(Line.size());
}

void TDictdArticleFormatter::AppendSyllables(std::string& Out, std::string_view Form)
{
    size_t run = 0;
    for (size_t i = 0; i < Form.size(); ++i) {
        if (Form[i] != '*' && Form[i] != '"')
            continue;
        FText.Append(Out, Form.substr(run, i - run));
        Out += Form[i] == '*' ? kSyllableDot : kStressMark;
        run = i + 1;
    }
    FText.Append(Out, Form.substr(run));
}

}  // namespace makrel
