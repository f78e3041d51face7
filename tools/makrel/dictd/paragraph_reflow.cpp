#include "makrel/dictd/paragraph_reflow.h"

#include <algorithm>

#include "makrel/dictd/wrap_column.h"

namespace makrel {

namespace {

// A hanging indent up to this much deeper than the first line's text still
// continues it; deeper is a quotation or an example.
constexpr int kHangingIndent = 3;
// A bracket or angle group longer than this is prose, not a label or note.
constexpr size_t kMaxGroup = 80;
constexpr size_t kMaxLabel = 24;
// Blanks inside a line that align it with its neighbours.
constexpr std::string_view kAlignment = "   ";
// A quotation's source longer than this is more than a name and a place.
constexpr size_t kMaxSource = 32;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The blanks at Text[At...] and whether they end the text or lead on to more.
size_t BlanksAfter(std::string_view Text, size_t At, bool& Ends)
{
    size_t end = At;
    while (end < Text.size() && Text[end] == ' ')
        ++end;
    Ends = end == Text.size();
    return end;
}

}  // namespace

std::vector<TParagraphReflow::TLine> TParagraphReflow::Split(std::string_view Text)
{
    std::vector<TLine> lines;
    bool blank = false;
    for (size_t start = 0; start <= Text.size();) {
        const size_t end = std::min(Text.find('\n', start), Text.size());
        std::string_view line = Text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        const size_t indent = line.find_first_not_of(" \t");
        if (indent == std::string_view::npos) {
            blank = !lines.empty();
            continue;
        }
        TLine l;
        l.Text = line.substr(indent);
        l.Indent = static_cast<int>(indent);
        l.Width = TWrapColumn::Width(line);
        l.AfterBlank = blank;
        lines.push_back(l);
        blank = false;
    }
    return lines;
}

bool TParagraphReflow::IsBracketNote(std::string_view Text)
{
    return Text.size() > 2 && Text.size() <= kMaxGroup && Text.front() == '[' && Text.find(']') == Text.size() - 1;
}

int TParagraphReflow::MarkerWidth(std::string_view Text)
{
    size_t i = 0;
    const bool parenthesised = !Text.empty() && Text[0] == '(';
    if (parenthesised)
        ++i;
    size_t digits = 0;
    while (i + digits < Text.size() && IsDigit(Text[i + digits]))
        ++digits;
    size_t end = 0;
    if (digits >= 1 && digits <= 3)
        end = i + digits;
    else if (digits == 0 && i < Text.size() && Text[i] >= 'a' && Text[i] <= 'z')
        end = i + 1;
    if (end > 0 && end < Text.size() &&
        (parenthesised ? Text[end] == ')' : (Text[end] == '.' || Text[end] == ')'))) {
        bool ends = false;
        const size_t after = BlanksAfter(Text, end + 1, ends);
        if (ends || after > end + 1)
            return static_cast<int>(after);
    }
    // A list item: a bullet and a blank. "--" introduces a source instead.
    for (const std::string_view bullet : {"* ", "- ", "+ ", "\xE2\x80\xA2 "}) {
        if (Text.starts_with(bullet)) {
            bool ends = false;
            return TWrapColumn::Width(Text.substr(0, BlanksAfter(Text, bullet.size(), ends)));
        }
    }
    return 0;
}

int TParagraphReflow::LabelWidth(std::string_view Text)
{
    bool ends = false;
    if (Text.front() == '[' || Text.front() == '<') {
        const size_t close = Text.find(Text.front() == '[' ? ']' : '>');
        if (close == std::string_view::npos || close > kMaxGroup || close + 1 == Text.size())
            return 0;
        return TWrapColumn::Width(Text.substr(0, BlanksAfter(Text, close + 1, ends)));
    }
    // One or two words and a colon: "Note:", "Usage:", "See also:".
    size_t i = 0;
    int words = 0;
    while (i < Text.size() && i <= kMaxLabel) {
        const size_t start = i;
        while (i < Text.size() && IsLetter(Text[i]))
            ++i;
        if (i == start || ++words > 2)
            return 0;
        if (i < Text.size() && Text[i] == ':') {
            const size_t after = BlanksAfter(Text, i + 1, ends);
            return ends || after > i + 1 ? static_cast<int>(after) : 0;
        }
        if (i >= Text.size() || Text[i] != ' ')
            return 0;
        ++i;
    }
    return 0;
}

bool TParagraphReflow::EndsInSource(std::string_view Text)
{
    for (size_t at = Text.rfind("--"); at != std::string_view::npos && at > 0; at = Text.rfind("--", at - 1)) {
        if (Text[at - 1] != ' ')
            continue;
        const std::string_view source = Text.substr(at + 2);
        return !source.empty() && source.size() <= kMaxSource && IsLetter(source.front());
    }
    return false;
}

bool TParagraphReflow::IsAligned(std::string_view Text)
{
    for (size_t at = Text.find(kAlignment); at != std::string_view::npos; at = Text.find(kAlignment, at)) {
        at = Text.find_first_not_of(' ', at);
        if (at == std::string_view::npos)
            return false;
        if (!Text.substr(at).starts_with("--"))  // a source set flush right is still prose
            return true;
    }
    return false;
}

void TParagraphReflow::AppendCollapsed(std::string& Out, std::string_view Text)
{
    for (const char c : Text)
        if (c != ' ' || (!Out.empty() && Out.back() != ' '))
            Out += c;
}

bool TParagraphReflow::Continues(const TLine& Previous, const TLine& Next, int TextColumn, bool Second) const
{
    if (Next.AfterBlank || IsBracketNote(Previous.Text) || IsBracketNote(Next.Text) || IsAligned(Previous.Text) ||
        IsAligned(Next.Text))
        return false;
    if (Next.Text.starts_with("--"))
        return true;
    if (MarkerWidth(Next.Text) > 0 || LabelWidth(Next.Text) > 0)
        return false;
    if (Next.Indent > (Second ? TextColumn + kHangingIndent : Previous.Indent + 1) &&
        !EndsInSource(Previous.Text))
        return false;
    const std::string_view word = Next.Text.substr(0, Next.Text.find(' '));
    return Previous.Width + 1 + TWrapColumn::Width(word) > FColumn;
}

std::vector<TParagraphReflow::TParagraph> TParagraphReflow::Reflow(const std::vector<TLine>& Lines) const
{
    std::vector<TParagraph> result;
    int textColumn = 0;
    for (size_t i = 0; i < Lines.size(); ++i) {
        const TLine& line = Lines[i];
        if (FColumn > 0 && !result.empty() &&
            Continues(Lines[i - 1], line, textColumn, i == result.back().First + 1)) {
            TParagraph& p = result.back();
            if (!p.Text.ends_with('{'))
                p.Text += ' ';
            AppendCollapsed(p.Text, line.Text);
            p.Last = i;
            continue;
        }
        const bool aligned = FColumn > 0 && IsAligned(line.Text);
        const bool collapse = FColumn > 0 && !aligned;
        result.push_back({collapse ? std::string() : std::string(line.Text), line.AfterBlank, i, i, aligned});
        if (collapse)
            AppendCollapsed(result.back().Text, line.Text);
        textColumn = line.Indent + std::max(MarkerWidth(line.Text), LabelWidth(line.Text));
    }
    return result;
}

}  // namespace makrel
