// The view's scrolling, centring and mouse handling.

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

#include "dictionary/utf8_text.h"
#include "dictionary_view/dictionary_view.h"
#include "dictionary_view/hit_test.h"
#include "dictionary_view/text_helpers.h"
#include "dictionary_view/text_highlight.h"
#include "dictionary_view/word_pick.h"

namespace lirabo {

namespace {

constexpr int kStripLeft = 3;      // the current-entry mark strip starts here
constexpr int kSplitterWidth = 6;  // the column edge reacts this far left of the indent

QRect ToQRect(const TRect& Rect)
{
    return QRect(QPoint(Rect.Left, Rect.Top), QPoint(Rect.Right - 1, Rect.Bottom - 1));
}

}  // namespace

// --- scrolling and centring -------------------------------------------------

int TDictionaryView::CountWidth() const
{
    // Line counts follow the layout on screen; before the first layout, or
    // when it is stale, they follow the layout the next paint will make.
    return FCache.Stale() ? RightLimit() : FCache.LayoutWidth();
}

void TDictionaryView::SyncScrollBar()
{
    FScrollBar->setRange(0, std::max(FStore.EntryCount() - 1, 0));
    FScrollBar->setValue(FTopEntry);
}

void TDictionaryView::SetTopEntry(int Entry, int Line)
{
    const int entry = std::clamp(Entry, 0, std::max(FStore.EntryCount() - 1, 0));
    // The links on screen change with the position: a focused one would point at another.
    if (entry != FTopEntry || std::max(Line, 0) != FTopLine)
        SetFocusedLink(-1);
    FTopEntry = entry;
    FTopLine = std::max(Line, 0);
    FStore.SetViewPosition(FTopEntry, FCache.ProcessedLines());
}

void TDictionaryView::ShowEntries(int First, int Count)
{
    FStore.SetCurrent(First, Count);
    if (!FMetricsValid)
        UpdateMetrics();
    const int lineHeight = FLayout.LineHeight();
    const int width = CountWidth();
    int above = 0;
    if (lineHeight != 0) {
        const int fit = height() / lineHeight;
        // Once the group fills the view the centring is 0 whatever follows.
        int sum = 0;
        for (int64_t i = First; i < int64_t{First} + Count && sum <= fit; ++i)
            sum += FCache.EntryLineCount(static_cast<int>(i), width);
        above = (fit - sum) / 2;
        if (above < 0 || First <= 0)
            above = 0;
    }
    while (above > 0) {
        --First;
        above -= FCache.EntryLineCount(First, width);
        if (First <= 0)
            above = 0;
    }
    SetTopEntry(First, -above);
    FScrollBar->setValue(FTopEntry);
    update();
    // A new word: the caret starts on its first entry, and an old selection ends.
    DropSelection();
    SetFocusedLink(-1);
    const int caretEntry = FStore.CurrentFirst() >= 0 ? FStore.CurrentFirst() : FTopEntry;
    if (FStore.EntryCount() > 0)
        PlaceCaret(caretEntry, CaretText(caretEntry), 0, false, false);
}

void TDictionaryView::ScrollLines(int N)
{
    if (FCache.ProcessedCount() == 0 || N == 0)
        return;
    const int width = CountWidth();
    const bool partial = FTopLine > 0;
    int64_t n = N;
    int64_t t = int64_t{FTopLine} + n;
    int top = FTopEntry;
    if (t < 0) {
        while (t < 0 && top > 0) {
            --top;
            t += FCache.EntryLineCount(top, width);
        }
        if (t < 0) {
            n -= t;
            t = 0;
        }
    } else {
        const int last = FStore.EntryCount() - 1;
        int lines = FCache.EntryLineCount(top, width);
        while (t >= lines && top < last) {
            t -= lines;
            ++top;
            lines = FCache.EntryLineCount(top, width);
        }
        if (t >= lines) {
            // Past the end: the last entry stays with only its last line shown.
            n -= t - (lines - 1);
            t = lines - 1;
        }
    }
    SetTopEntry(top, static_cast<int>(t));
    FScrollBar->setValue(FTopEntry);

    const int lineHeight = FLayout.LineHeight();
    const int right = RightLimit();
    const QRect area(kStripLeft, kTopMargin, right - kStripLeft, height() - kTopMargin);
    if (n != 0 && lineHeight > 0) {
        // The caret and the focus frame must not travel with the moved pixels.
        if (std::abs(n) * lineHeight < area.height() && !hasFocus())
            scroll(0, static_cast<int>(-n * lineHeight), area);
        else
            update(area);
    }
    // The top entry's headword stays pinned while its body scrolls, so its
    // visible lines are drawn afresh rather than moved.
    if (partial || FTopLine > 0) {
        const int visible = FCache.EntryLineCount(FTopEntry, width) - FTopLine;
        update(QRect(kStripLeft, kTopMargin, right - kStripLeft, visible * lineHeight));
    }
}

void TDictionaryView::ScrollPages(int N)
{
    const int lineHeight = FLayout.LineHeight();
    if (lineHeight > 0)
        ScrollLines(static_cast<int>(
            std::clamp<int64_t>(int64_t{N} * (height() / lineHeight), INT32_MIN, INT32_MAX)));
}

void TDictionaryView::ScrollBarScroll(TScrollCode Code, int& Position)
{
    const QRect textArea(kStripLeft, kTopMargin, RightLimit() - kStripLeft, height() - kTopMargin);
    switch (Code) {
        case scLineUp:
            ScrollLines(-1);
            break;
        case scLineDown:
            ScrollLines(1);
            break;
        case scPageUp:
            ScrollPages(-1);
            break;
        case scPageDown:
            ScrollPages(1);
            break;
        case scPosition:
        case scTrack:
            if (Position != FTopEntry || FTopLine != 0) {
                SetTopEntry(Position, 0);
                update(textArea);
            }
            break;
        case scTop:
            SetTopEntry(0, 0);
            update(textArea);
            break;
        case scBottom:
            SetTopEntry(FStore.EntryCount() - 1, FTopLine);
            FCache.ProcessEntries(1, CountWidth(), FTopEntry, FTopLine);
            if (FCache.ProcessedCount() > 0)
                FTopLine = FCache.Item(FCache.ProcessedCount() - 1).Lines - 1;
            update(textArea);
            break;
        case scEndScroll:
            break;
    }
    Position = FTopEntry;
}

void TDictionaryView::ScrollBarAction(int Action)
{
    TScrollCode code;
    switch (Action) {
        case QAbstractSlider::SliderSingleStepAdd:
            code = scLineDown;
            break;
        case QAbstractSlider::SliderSingleStepSub:
            code = scLineUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            code = scPageDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            code = scPageUp;
            break;
        case QAbstractSlider::SliderToMinimum:
            code = scTop;
            break;
        case QAbstractSlider::SliderToMaximum:
            code = scBottom;
            break;
        case QAbstractSlider::SliderMove:
            code = scTrack;
            break;
        default:
            return;
    }
    int position = FScrollBar->sliderPosition();
    try {
        ScrollBarScroll(code, position);
    } catch (const std::exception&) {
        // An undecodable section: the view keeps its position.
        position = FTopEntry;
    }
    // The bar applies this position once the action is handled.
    FScrollBar->setSliderPosition(position);
}

void TDictionaryView::wheelEvent(QWheelEvent* Event)
{
    const int steps = Event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0) {
        try {
            ScrollLines(-steps * QApplication::wheelScrollLines());
        } catch (const std::exception&) {
        }
    }
    Event->accept();
}

// --- mouse --------------------------------------------------------------------

void TDictionaryView::mousePressEvent(QMouseEvent* Event)
{
    const QPoint point = Event->position().toPoint();
    try {
        Press(Event->button(), point.x(), point.y());
    } catch (const std::exception&) {
        FMouseMode = mmNone;
    }
}

void TDictionaryView::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint point = Event->position().toPoint();
    Move(point.x(), point.y());
}

void TDictionaryView::mouseReleaseEvent(QMouseEvent* /*Event*/)
{
    Release();
}

void TDictionaryView::Press(Qt::MouseButton Button, int X, int Y)
{
    if (FMouseMode != mmNone)
        return;
    // The hot link was found by the last move, but the view may have been
    // painted anew (scrolled, looked up) since: the link under the press counts.
    FHotLink = LinkAt(X, Y);
    if (FHotLink >= 0) {
        FHotRect = FLinks[static_cast<size_t>(FHotLink)].Rect;
        FMouseMode = Button == Qt::RightButton ? mmLinkMenu : mmLink;
        FPressedLink = FLinks[static_cast<size_t>(FHotLink)].Link;
        return;
    }
    const int indent = FLayout.Indent();
    if (Button == Qt::LeftButton && indent - kSplitterWidth < X && X < indent) {
        FMouseMode = mmIndent;
        FMouseAnchor = indent - X;
        return;
    }
    if (Button != Qt::LeftButton && Button != Qt::RightButton)
        return;
    if (Button == Qt::RightButton)
        FMenuPoint = mapToGlobal(QPoint(X, Y));
    // The press saves the item as shown: without the keyboard's selection.
    DropSelection();
    const int lineHeight = FLayout.LineHeight();
    if (lineHeight <= 0)
        return;

    // A scroll since the last paint has moved the entries: lay them out for
    // where they are now.
    FCache.ProcessEntries(height() / lineHeight + 1, RightLimit(), FTopEntry, FTopLine);

    // The entry under Y.
    int64_t top = kTopMargin - int64_t{FTopLine} * lineHeight;
    int hit = -1;
    int64_t bottom = top;
    for (int j = 0; j < FCache.ProcessedCount(); ++j) {
        bottom = top + int64_t{FCache.Item(j).Lines} * lineHeight;
        if (bottom > Y) {
            hit = j;
            break;
        }
        top = bottom;
    }
    if (hit < 0)
        return;
    FSelEntryIndex = FCache.ProcessedFirst() + hit;
    FSelGeneration = FCache.Generation();
    // Search highlights would read as the selection: the item is selected
    // in without them and gets them back at the release.
    FSelShown = FCache.Item(hit).Text;
    FSelSaved = FCache.Item(hit);
    if (!FCache.Highlight().empty())
        FSelSaved.Text = WithoutMarks(FSelSaved.Text);
    FSelText = FSelSaved.Text;
    FSelHidden = hit == 0 ? FTopLine : 0;
    const int entryTop = hit == 0 ? kTopMargin : static_cast<int>(top);
    FSelEntryRect = {kLeftMargin, entryTop, RightLimit(),
                     static_cast<int>(std::min<int64_t>(bottom, INT32_MAX))};

    const THit anchor = HitTest(FLayout, FSelSaved, X, Y, entryTop, FSelHidden, FScrollBar->x());
    FMouseAnchor = anchor.Index;
    FMouseAnchorEnd = anchor.End;
    FHotRect = kNoRect;
    if (FMouseAnchor < 0)
        return;
    FMouseMode = Button == Qt::LeftButton ? mmSelect : mmWordMenu;

    if (FMouseMode == mmSelect) {
        SetFocusedLink(-1);
        PlaceCaret(FSelEntryIndex, WithoutMarks(FSelSaved.Text), FMouseAnchor, false, false);
        // The character under the pointer is selected from the press on.
        MoveSelection(X, Y);
        return;
    }
    const std::string& text = FSelSaved.Text;
    const TPickedWord word = PickWord(text, static_cast<size_t>(FMouseAnchor));
    if (word.Empty()) {
        FMouseAnchor = -1;
        return;
    }
    MarkSelection(Marked(text, word.Begin, word.End));
}

void TDictionaryView::MoveSelection(int X, int Y)
{
    if (FHotRect.Contains(X, Y))
        return;
    const THit hit = HitTest(FLayout, FSelSaved, X, Y, FSelEntryRect.Top, FSelHidden, FScrollBar->x());
    FHotRect = hit.Rect;
    if (hit.Index < 0)
        return;
    // Whole characters from the earlier of the two to the later one.
    size_t lo = static_cast<size_t>(FMouseAnchor);
    size_t hi = static_cast<size_t>(std::max(FMouseAnchorEnd, FMouseAnchor));
    if (hit.Index < FMouseAnchor)
        lo = static_cast<size_t>(hit.Index);
    else
        hi = static_cast<size_t>(std::max(hit.End, hit.Index));
    MarkSelection(Marked(FSelSaved.Text, lo, hi));
}

std::string TDictionaryView::Marked(const std::string& Text, size_t Begin, size_t End)
{
    End = std::min(End, Text.size());
    Begin = std::min(Begin, End);
    std::string marked;
    marked.reserve(Text.size() + 2);
    marked.append(Text, 0, Begin);
    marked += static_cast<char>(mcSelStart);
    marked.append(Text, Begin, End - Begin);
    marked += static_cast<char>(mcSelEnd);
    marked.append(Text, End);
    return marked;
}

TProcessedItem* TDictionaryView::SelectedItem()
{
    // The cache may have moved on (a scroll, a lookup, a Clear) while the
    // button was held: only the item still laid out as at the press is ours.
    if (FSelEntryIndex < 0 || FCache.Generation() != FSelGeneration || !FCache.Contains(FSelEntryIndex))
        return nullptr;
    return &FCache.Item(FSelEntryIndex - FCache.ProcessedFirst());
}

void TDictionaryView::MarkSelection(std::string Marked)
{
    FSelText = std::move(Marked);
    if (TProcessedItem* item = SelectedItem())
        item->Text = FSelText;
    update(ToQRect(FSelEntryRect));
}

int TDictionaryView::LinkAt(int X, int Y) const
{
    for (size_t j = 0; j < FLinks.size(); ++j)
        if (FLinks[j].Rect.Contains(X, Y))
            return static_cast<int>(j);
    return -1;
}

void TDictionaryView::Move(int X, int Y)
{
    switch (FMouseMode) {
        case mmSelect:
            MoveSelection(X, Y);
            return;
        case mmIndent:
            SetIndent(X + FMouseAnchor);
            return;
        case mmNone:
            break;
        default:
            return;
    }
    const int indent = FLayout.Indent();
    if (indent - kSplitterWidth < X && X < indent) {
        setCursor(Qt::SplitHCursor);
        FHotLink = -1;
        return;
    }
    const bool hotValid = FHotLink >= 0 && FHotLink < static_cast<int>(FLinks.size());
    if (!hotValid || !FHotRect.Contains(X, Y)) {
        const int found = LinkAt(X, Y);
        if (found != FHotLink) {
            if (FHotLink >= 0)
                update(ToQRect(FHotRect));
            FHotLink = found;
            if (found >= 0) {
                setCursor(Qt::PointingHandCursor);
                FHotRect = FLinks[static_cast<size_t>(found)].Rect;
            }
        }
        if (FHotLink == -1)
            setCursor(Qt::ArrowCursor);
    }
}

void TDictionaryView::Release()
{
    const TMouseMode mode = FMouseMode;
    FMouseMode = mmNone;
    switch (mode) {
        case mmSelect:
        case mmWordMenu: {
            const std::string word = FMouseAnchor != -1 ? SelectedText(FSelText) : std::string();
            // Damaged text never leaves the view: what it hands on is UTF-8.
            const std::string entryText = ShowableUtf8(RemoveChars(FSelSaved.Text, CharsBelow32ButBody()));
            // The headword ends where the body's code begins.
            const size_t body = FSelSaved.Text.find(static_cast<char>(mcBody));
            const bool inDefinition =
                FMouseAnchor >= 0 && body != std::string::npos && static_cast<size_t>(FMouseAnchor) > body;
            const int entry = FSelEntryIndex;
            // Put the item back before the owner hears of it: the owner may
            // look something up or clear the view in its handler.
            if (TProcessedItem* item = SelectedItem())
                item->Text = FSelShown;
            FSelSaved = {};
            FSelShown.clear();
            FSelText.clear();
            FSelEntryIndex = -1;
            update(ToQRect(FSelEntryRect));
            if (mode == mmSelect) {
                if (OnTextSelected)
                    OnTextSelected(word);
            } else if (OnRightClick) {
                FRightClickedEntry = entry;
                FRightClickInDefinition = inDefinition;
                OnRightClick(entryText, word);
            }
            break;
        }
        case mmLink:
            if (OnLinkClick)
                OnLinkClick(FPressedLink);
            break;
        case mmLinkMenu:
            if (OnLinkRightClick)
                OnLinkRightClick(FPressedLink);
            break;
        default:
            break;
    }
}

}  // namespace lirabo
