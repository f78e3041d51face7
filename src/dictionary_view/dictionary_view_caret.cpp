// The view's caret and keyboard selection: where they stand, how they show,
// and how the caret is kept on screen. The keys that move them are in
// dictionary_view_keys.cpp.

#include <QPainter>
#include <algorithm>

#include "dictionary/utf8_text.h"
#include "dictionary_view/caret_geometry.h"
#include "dictionary_view/caret_text.h"
#include "dictionary_view/dictionary_painter.h"
#include "dictionary_view/dictionary_view.h"
#include "dictionary_view/text_helpers.h"
#include "dictionary_view/text_highlight.h"

namespace lirabo {

namespace {

constexpr int kCaretWidth = 2;
constexpr int kReadLineLength = 300;  // characters of CurrentEntryLine at most
constexpr int kReadLineWordCut = 200;  // cut at a space only when one is this far in

}  // namespace

std::string TDictionaryView::CaretText(int Entry) const
{
    return FCache.PlainLayout(Entry, CountWidth());
}

TDictionaryView::TCaret TDictionaryView::Caret() const
{
    if (FCaretEntry < 0)
        return {};
    try {
        return {FCaretEntry, TCaretText::ToLaid(CaretText(FCaretEntry), FCaretPlain, FCaretBeforeBreak)};
    } catch (const std::exception&) {
        return {FCaretEntry, FCaretPlain};
    }
}

TDictionaryView::TTextRange TDictionaryView::Selection() const
{
    if (FCaretEntry < 0 || FAnchorPlain < 0 || FAnchorPlain == FCaretPlain)
        return {};
    try {
        const std::string text = CaretText(FCaretEntry);
        const int lo = std::min(FAnchorPlain, FCaretPlain);
        const int hi = std::max(FAnchorPlain, FCaretPlain);
        return {FCaretEntry, TCaretText::ToLaid(text, lo), TCaretText::ToLaid(text, hi, true)};
    } catch (const std::exception&) {
        return {};
    }
}

void TDictionaryView::SetCaret(TCaret Caret)
{
    if (FStore.EntryCount() <= 0 || Caret.Entry < 0) {
        DropSelection();
        const bool moved = FCaretEntry != -1;
        FCaretEntry = -1;
        FCaretPlain = 0;
        if (moved)
            emit CaretMoved();
        return;
    }
    const int entry = std::min(Caret.Entry, FStore.EntryCount() - 1);
    try {
        const std::string text = CaretText(entry);
        PlaceCaret(entry, text, TCaretText::Snap(text, Caret.Index), false);
    } catch (const std::exception&) {
        // An entry that cannot be read: the caret stays where it was.
    }
}

void TDictionaryView::SetSelection(TTextRange Range)
{
    if (FStore.EntryCount() <= 0 || Range.Entry < 0)
        return;
    const int entry = std::min(Range.Entry, FStore.EntryCount() - 1);
    try {
        const std::string text = CaretText(entry);
        const int begin = TCaretText::Snap(text, Range.Begin);
        const int end = TCaretText::Snap(text, std::max(Range.End, Range.Begin));
        PlaceCaret(entry, text, begin, false);
        if (end > begin)
            PlaceCaret(entry, text, end, true);
        // Set, not grown by keys: nothing to hand on at the next Shift release.
        FSelectionGrew = false;
    } catch (const std::exception&) {
    }
}

void TDictionaryView::PlaceCaret(int Entry, const std::string& Text, int Laid, bool Extend, bool Scroll)
{
    const TTextRange before = Selection();
    const TCaret was = Caret();
    // A selection never leaves its entry: extending into another one starts afresh there.
    if (!Extend || Entry != FCaretEntry)
        FAnchorPlain = -1;
    if (Extend && FAnchorPlain < 0 && Entry == FCaretEntry)
        FAnchorPlain = FCaretPlain;
    FCaretEntry = Entry;
    Laid = std::clamp(Laid, 0, static_cast<int>(Text.size()));
    FCaretPlain = TCaretText::ToPlain(Text, Laid);
    FCaretBeforeBreak = Laid < static_cast<int>(Text.size()) && Text[static_cast<size_t>(Laid)] == mcSoftBreak;
    if (Extend && FAnchorPlain < 0)
        FAnchorPlain = FCaretPlain;  // entered a new entry: the selection starts where the caret does
    if (Scroll)
        ScrollToCaret();
    const TTextRange after = Selection();
    if (after.Begin != before.Begin || after.End != before.End || after.Entry != before.Entry) {
        FSelectionGrew = FSelectionGrew || (Extend && !after.Empty());
        if (after.Empty())
            FSelectionGrew = false;
        ShowSelectionMarks();
        emit SelectionChanged();
    }
    update();
    if (!(Caret() == was))
        emit CaretMoved();
}

void TDictionaryView::DropSelection()
{
    if (FAnchorPlain < 0)
        return;
    const bool shown = !Selection().Empty();
    FAnchorPlain = -1;
    FSelectionGrew = false;
    ShowSelectionMarks();
    update();
    if (shown)
        emit SelectionChanged();
}

void TDictionaryView::ShowSelectionMarks()
{
    const TTextRange range = Selection();
    const bool laidOut = !FCache.Stale();
    const bool mouseHolds = FMouseMode == mmSelect || FMouseMode == mmWordMenu;
    if (mouseHolds)
        return;
    // The item gets its search highlights back when it no longer shows the selection.
    if (FMarkedEntry >= 0 && (range.Empty() || FMarkedEntry != range.Entry) && laidOut &&
        FCache.Contains(FMarkedEntry)) {
        std::string& text = FCache.Item(FMarkedEntry - FCache.ProcessedFirst()).Text;
        text = WithoutMarks(text);
        MarkPieces(text, FCache.Highlight());
    }
    FMarkedEntry = -1;
    if (range.Empty() || !laidOut || !FCache.Contains(range.Entry))
        return;
    std::string& text = FCache.Item(range.Entry - FCache.ProcessedFirst()).Text;
    text = Marked(WithoutMarks(text), static_cast<size_t>(range.Begin), static_cast<size_t>(range.End));
    FMarkedEntry = range.Entry;
}

std::string TDictionaryView::SelectedText(const std::string& Marked)
{
    const size_t start = Marked.find(static_cast<char>(mcSelStart));
    const size_t end = Marked.find(static_cast<char>(mcSelEnd), start);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    std::string word = Marked.substr(start + 1, end - start - 1);
    std::replace(word.begin(), word.end(), static_cast<char>(mcBody), ' ');
    return ShowableUtf8(RemoveChars(word, CharsBelow32()));
}

void TDictionaryView::HandOnSelection()
{
    const TTextRange range = Selection();
    FSelectionGrew = false;
    if (range.Empty() || !OnTextSelected)
        return;
    const std::string text = CaretText(range.Entry);
    OnTextSelected(SelectedText(Marked(text, static_cast<size_t>(range.Begin), static_cast<size_t>(range.End))));
}

void TDictionaryView::FocusCurrentEntry()
{
    const int entry = FStore.CurrentFirst() >= 0 ? FStore.CurrentFirst() : FTopEntry;
    SetFocusedLink(-1);
    if (FStore.EntryCount() > 0)
        SetCaret({entry, 0});
    setFocus(Qt::OtherFocusReason);
}

void TDictionaryView::SetFocusedLink(int Index)
{
    if (Index == FFocusedLink)
        return;
    if (FFocusedLink >= 0 && FFocusedLink < static_cast<int>(FLinks.size()))
        update();
    FFocusedLink = Index;
    update();
    emit LinkFocusChanged();
}

bool TDictionaryView::EntryOnScreen(int Entry, int& Top, int& Hidden) const
{
    const int lineHeight = FLayout.LineHeight();
    if (FCache.Stale() || !FCache.Contains(Entry) || lineHeight <= 0)
        return false;
    int64_t y = kTopMargin - int64_t{FTopLine} * lineHeight;
    for (int j = 0; j < Entry - FCache.ProcessedFirst(); ++j)
        y += int64_t{FCache.Item(j).Lines} * lineHeight;
    Hidden = Entry == FCache.ProcessedFirst() ? FTopLine : 0;
    Top = Hidden > 0 || Entry == FCache.ProcessedFirst() ? kTopMargin : static_cast<int>(std::min<int64_t>(y, INT32_MAX));
    return Top < height();
}

QRect TDictionaryView::CaretRect() const
{
    int top = 0;
    int hidden = 0;
    if (FCaretEntry < 0 || !EntryOnScreen(FCaretEntry, top, hidden))
        return {};
    const TCaret caret = Caret();
    const std::string text = WithoutMarks(FCache.Item(FCaretEntry - FCache.ProcessedFirst()).Text);
    TCaretGeometry geometry(FLayout);
    geometry.Walk(text, FCache.Item(FCaretEntry - FCache.ProcessedFirst()).Lines, top, hidden);
    const TCaretStop* stop = geometry.Find(caret.Index);
    if (!stop || stop->Y >= height())
        return {};
    return QRect(std::max(stop->X - 1, kLeftMargin), stop->Y, kCaretWidth, FLayout.LineHeight());
}

QString TDictionaryView::CurrentEntryLine() const
{
    if (FStore.CurrentFirst() < 0)
        return {};
    std::string text;
    try {
        text = FCache.EntryText(FStore.CurrentFirst());
    } catch (const std::exception&) {
        return {};
    }
    const size_t body = text.find(static_cast<char>(mcBody));
    std::string line = text.substr(0, body);
    if (body != std::string::npos) {
        const size_t lineEnd = text.find(static_cast<char>(mcLineBreak), body);
        std::string rest = RemoveChars(
            std::string_view(text).substr(body + 1, lineEnd == std::string::npos ? std::string::npos : lineEnd - body - 1),
            CharsBelow32());
        rest.erase(0, rest.find_first_not_of(' '));
        if (!rest.empty())
            line += ' ' + rest;
    }
    QString read = QString::fromUtf8(ShowableUtf8(RemoveChars(line, CharsBelow32())));
    if (read.size() > kReadLineLength) {
        qsizetype cut = read.lastIndexOf(QLatin1Char(' '), kReadLineLength);
        if (cut < kReadLineWordCut)
            cut = kReadLineLength;
        if (read.at(cut - 1).isHighSurrogate())
            --cut;
        read.truncate(cut);
    }
    return read;
}

void TDictionaryView::PaintFocus(QPainter& Painter)
{
    if (!hasFocus())
        return;
    const QColor highlight = palette().color(QPalette::Highlight);
    Painter.setClipping(false);
    Painter.setPen(highlight);
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(QRect(1, 1, RightLimit() + kLeftMargin - 3, height() - 3));
    if (FFocusedLink >= 0 && FFocusedLink < static_cast<int>(FLinks.size())) {
        // Every piece of the link, as a wrapped link is clicked on any of them.
        const std::string& link = FLinks[static_cast<size_t>(FFocusedLink)].Link;
        QPen pen(ToQColor(FStyles.ElementColor(deLink)));
        pen.setStyle(Qt::DotLine);
        Painter.setPen(pen);
        for (size_t j = static_cast<size_t>(FFocusedLink); j < FLinks.size() && FLinks[j].Link == link; ++j) {
            const TRect& r = FLinks[j].Rect;
            Painter.drawRect(QRect(r.Left - 1, r.Top, r.Right - r.Left + 1, r.Bottom - r.Top - 1));
            if (j + 1 < FLinks.size() && FLinks[j + 1].Rect.Top <= r.Top)
                break;
        }
    }
    const QRect caret = CaretRect();
    if (caret.isValid())
        Painter.fillRect(caret, ToQColor(FStyles.ElementColor(deEntry)));
}

void TDictionaryView::ScrollToCaret()
{
    const int lineHeight = FLayout.LineHeight();
    if (FCaretEntry < 0 || lineHeight <= 0)
        return;
    const int fit = std::max((height() - kTopMargin) / lineHeight, 1);
    const std::string text = CaretText(FCaretEntry);
    TCaretGeometry geometry(FLayout);
    geometry.Walk(text, FCache.EntryLineCount(FCaretEntry, CountWidth()), 0, 0);
    const TCaretStop* stop = geometry.Find(TCaretText::ToLaid(text, FCaretPlain, FCaretBeforeBreak));
    const int line = stop ? stop->Y / lineHeight : 0;
    // Far off: start from the caret's entry rather than count every line between.
    if (FCaretEntry < FTopEntry - fit || FCaretEntry > FTopEntry + fit) {
        SetTopEntry(FCaretEntry, 0);
        FScrollBar->setValue(FTopEntry);
        update();
    }
    const int width = CountWidth();
    int64_t offset = line - int64_t{FTopLine};
    for (int e = FTopEntry; e < FCaretEntry; ++e)
        offset += FCache.EntryLineCount(e, width);
    for (int e = FCaretEntry; e < FTopEntry; ++e)
        offset -= FCache.EntryLineCount(e, width);
    if (offset < 0)
        ScrollLines(static_cast<int>(offset));
    else if (offset >= fit)
        ScrollLines(static_cast<int>(offset - fit + 1));
}

}  // namespace lirabo
