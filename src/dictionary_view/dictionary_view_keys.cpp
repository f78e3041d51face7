// The view's keys: caret moves, keyboard selection, links by Tab, the menu
// key and the definition column. Every action the mouse offers is here too.

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

#include "dictionary/utf8_text.h"
#include "dictionary_view/caret_geometry.h"
#include "dictionary_view/caret_text.h"
#include "dictionary_view/dictionary_view.h"
#include "dictionary_view/hit_test.h"
#include "dictionary_view/text_helpers.h"
#include "dictionary_view/text_highlight.h"
#include "dictionary_view/word_pick.h"

namespace lirabo {

namespace {

constexpr int kMinIndentStep = 4;  // pixels Alt+Left/Right move the column at least

bool IsMenuKey(const QKeyEvent* Event)
{
    return (Event->key() == Qt::Key_Menu && Event->modifiers() == Qt::NoModifier) ||
           (Event->key() == Qt::Key_F10 && Event->modifiers() == Qt::ShiftModifier);
}

}  // namespace

void TDictionaryView::keyPressEvent(QKeyEvent* Event)
{
    bool taken = false;
    try {
        taken = HandleKey(Event);
    } catch (const std::exception&) {
        // A section that cannot be decoded: the caret stays where it was.
        taken = true;
    }
    if (taken)
        Event->accept();
    else
        QWidget::keyPressEvent(Event);
}

void TDictionaryView::keyReleaseEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Shift && FSelectionGrew) {
        try {
            HandOnSelection();
        } catch (const std::exception&) {
        }
    }
    // The menu key was answered at its press; no second menu from its release.
    if (IsMenuKey(Event)) {
        Event->accept();
        return;
    }
    QWidget::keyReleaseEvent(Event);
}

void TDictionaryView::contextMenuEvent(QContextMenuEvent* Event)
{
    // The mouse's menu comes with the button's release.
    if (Event->reason() != QContextMenuEvent::Keyboard) {
        Event->ignore();
        return;
    }
    try {
        KeyMenu();
    } catch (const std::exception&) {
    }
    Event->accept();
}

void TDictionaryView::focusInEvent(QFocusEvent* Event)
{
    // Tabbing in lands on the caret; the links come with the next Tab.
    SetFocusedLink(-1);
    update();
    QWidget::focusInEvent(Event);
}

void TDictionaryView::focusOutEvent(QFocusEvent* Event)
{
    update();
    QWidget::focusOutEvent(Event);
}

bool TDictionaryView::focusNextPrevChild(bool Next)
{
    if (hasFocus()) {
        bool stepped = false;
        try {
            stepped = StepLink(Next);
        } catch (const std::exception&) {
        }
        if (stepped)
            return true;
        SetFocusedLink(-1);
    }
    return QWidget::focusNextPrevChild(Next);
}

bool TDictionaryView::HandleKey(QKeyEvent* Event)
{
    const int key = Event->key();
    const Qt::KeyboardModifiers modifiers = Event->modifiers() & ~Qt::KeypadModifier;
    if (IsMenuKey(Event)) {
        KeyMenu();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        if (!LinkFocused() || FFocusedLink >= static_cast<int>(FLinks.size()))
            return false;
        const std::string link = FLinks[static_cast<size_t>(FFocusedLink)].Link;
        if (OnLinkClick)
            OnLinkClick(link);
        return true;
    }
    if (key == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        if (Selection().Empty())
            return false;
        DropSelection();
        return true;
    }
    if ((key == Qt::Key_C && modifiers == Qt::ControlModifier) ||
        (key == Qt::Key_Insert && modifiers == Qt::ControlModifier)) {
        HandOnSelection();
        return true;
    }
    if (modifiers == Qt::AltModifier && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        const int step = std::max(fontMetrics().averageCharWidth(), kMinIndentStep);
        SetIndent(Indent() + (key == Qt::Key_Left ? -step : step));
        return true;
    }
    if (key == Qt::Key_A && modifiers == Qt::ControlModifier) {
        if (FCaretEntry < 0)
            return true;
        const std::string text = CaretText(FCaretEntry);
        SetFocusedLink(-1);
        PlaceCaret(FCaretEntry, text, 0, false);
        PlaceCaret(FCaretEntry, text, TCaretText::NextChar(text, static_cast<int>(text.size())), true);
        FSelectionGrew = false;
        return true;
    }
    return MoveByKey(key, modifiers);
}

bool TDictionaryView::MoveByKey(int Key, Qt::KeyboardModifiers Modifiers)
{
    const bool extend = Modifiers.testFlag(Qt::ShiftModifier);
    const Qt::KeyboardModifiers base = Modifiers & ~Qt::ShiftModifier;
    const bool ctrl = base == Qt::ControlModifier;
    if (base != Qt::NoModifier && !ctrl)
        return false;
    const bool wordOrEnds = Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Home || Key == Qt::Key_End;
    if (ctrl && !wordOrEnds)
        return false;
    switch (Key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            break;
        default:
            return false;
    }
    if (FStore.EntryCount() <= 0)
        return true;
    SetFocusedLink(-1);
    if (FCaretEntry < 0) {
        FCaretEntry = std::clamp(FTopEntry, 0, FStore.EntryCount() - 1);
        FCaretPlain = 0;
    }
    const int last = FStore.EntryCount() - 1;
    const int entry = FCaretEntry;
    const std::string text = CaretText(entry);
    const int size = static_cast<int>(text.size());
    const int at = TCaretText::ToLaid(text, FCaretPlain, FCaretBeforeBreak);
    const int lineHeight = std::max(FLayout.LineHeight(), 1);

    switch (Key) {
        case Qt::Key_Right: {
            const int end = TCaretText::NextChar(text, size);
            if (at >= end && entry < last && !extend)
                PlaceCaret(entry + 1, CaretText(entry + 1), 0, false);
            else
                PlaceCaret(entry, text, ctrl ? TCaretText::NextWord(text, at) : TCaretText::NextChar(text, at),
                           extend);
            break;
        }
        case Qt::Key_Left:
            if (at <= 0 && entry > 0 && !extend) {
                const std::string before = CaretText(entry - 1);
                PlaceCaret(entry - 1, before, TCaretText::NextChar(before, static_cast<int>(before.size())), false);
            } else {
                PlaceCaret(entry, text, ctrl ? TCaretText::PrevWord(text, at) : TCaretText::PrevChar(text, at),
                           extend);
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            MoveLines(Key == Qt::Key_Up ? -1 : 1, extend);
            break;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const int page = std::max(height() / lineHeight, 1);
            ScrollPages(Key == Qt::Key_PageUp ? -1 : 1);
            MoveLines(Key == Qt::Key_PageUp ? -page : page, extend);
            break;
        }
        case Qt::Key_Home:
        case Qt::Key_End: {
            const bool home = Key == Qt::Key_Home;
            if (ctrl && !extend) {
                const int target = home ? 0 : last;
                const std::string targetText = CaretText(target);
                PlaceCaret(target, targetText,
                           home ? 0 : TCaretText::NextChar(targetText, static_cast<int>(targetText.size())), false);
            } else if (ctrl) {
                PlaceCaret(entry, text, home ? 0 : TCaretText::NextChar(text, size), true);
            } else {
                TCaretGeometry geometry(FLayout);
                geometry.Walk(text, FCache.EntryLineCount(entry, CountWidth()), 0, 0);
                const TCaretStop* stop = geometry.Find(at);
                const int y = stop ? stop->Y : 0;
                const TCaretStop* target = home ? geometry.LineFirst(y) : geometry.LineLast(y);
                if (target)
                    PlaceCaret(entry, text, target->Index, extend);
            }
            break;
        }
        default:
            break;
    }
    return true;
}

void TDictionaryView::MoveLines(int N, bool Extend)
{
    const int lineHeight = FLayout.LineHeight();
    if (lineHeight <= 0 || FCaretEntry < 0)
        return;
    const int width = CountWidth();
    const int last = FStore.EntryCount() - 1;
    std::string text = CaretText(FCaretEntry);
    TCaretGeometry geometry(FLayout);
    geometry.Walk(text, FCache.EntryLineCount(FCaretEntry, width), 0, 0);
    const TCaretStop* stop = geometry.Find(TCaretText::ToLaid(text, FCaretPlain, FCaretBeforeBreak));
    const int x = stop ? stop->X : kLeftMargin;
    int64_t line = int64_t{stop ? stop->Y / lineHeight : 0} + N;
    int entry = FCaretEntry;
    int lines = FCache.EntryLineCount(entry, width);
    // A selection stays in its entry; a plain move goes on through the entries.
    while (!Extend && line >= lines && entry < last) {
        line -= lines;
        lines = FCache.EntryLineCount(++entry, width);
    }
    while (!Extend && line < 0 && entry > 0) {
        lines = FCache.EntryLineCount(--entry, width);
        line += lines;
    }
    if (entry != FCaretEntry) {
        text = CaretText(entry);
        geometry.Walk(text, lines, 0, 0);
    }
    if (line < 0) {
        PlaceCaret(entry, text, 0, Extend);
        return;
    }
    if (line >= lines) {
        PlaceCaret(entry, text, TCaretText::NextChar(text, static_cast<int>(text.size())), Extend);
        return;
    }
    const TCaretStop* target = geometry.Nearest(static_cast<int>(line) * lineHeight, x);
    PlaceCaret(entry, text, target ? target->Index : 0, Extend);
}

void TDictionaryView::KeyMenu()
{
    if (LinkFocused() && FFocusedLink < static_cast<int>(FLinks.size())) {
        const TLinkRect& link = FLinks[static_cast<size_t>(FFocusedLink)];
        FMenuPoint = mapToGlobal(QPoint(link.Rect.Left, link.Rect.Bottom));
        if (OnLinkRightClick)
            OnLinkRightClick(link.Link);
        return;
    }
    if (FCaretEntry < 0)
        return;
    const std::string text = CaretText(FCaretEntry);
    const TTextRange selection = Selection();
    size_t begin = 0;
    size_t end = 0;
    if (!selection.Empty()) {
        begin = static_cast<size_t>(selection.Begin);
        end = static_cast<size_t>(selection.End);
    } else {
        const int at = TCaretText::ToLaid(text, FCaretPlain, FCaretBeforeBreak);
        // Right after a word, as after typing it, the caret still means that word.
        TPickedWord word = PickWord(text, static_cast<size_t>(at));
        if (word.Empty() && at > 0)
            word = PickWord(text, static_cast<size_t>(TCaretText::PrevChar(text, at)));
        if (word.Empty())
            word = PickWord(text, 0);  // the headword
        begin = word.Begin;
        end = word.End;
    }
    const std::string picked = SelectedText(Marked(text, begin, end));
    const size_t body = text.find(static_cast<char>(mcBody));
    const QRect caret = CaretRect();
    FMenuPoint = mapToGlobal(caret.isValid() ? caret.bottomLeft() : QPoint(kLeftMargin, kTopMargin));
    if (!OnRightClick)
        return;
    FRightClickedEntry = FCaretEntry;
    FRightClickInDefinition = body != std::string::npos && begin > body;
    OnRightClick(ShowableUtf8(RemoveChars(text, CharsBelow32ButBody())), picked);
}

bool TDictionaryView::StepLink(bool Next)
{
    const int count = static_cast<int>(FLinks.size());
    // The pieces of one wrapped link follow each other and carry its text: one stop for all.
    const auto sameLink = [this](int A, int B) {
        return FLinks[static_cast<size_t>(A)].Link == FLinks[static_cast<size_t>(B)].Link &&
               FLinks[static_cast<size_t>(B)].Rect.Top > FLinks[static_cast<size_t>(A)].Rect.Top;
    };
    int target = -1;
    if (FFocusedLink >= 0 && FFocusedLink < count) {
        target = FFocusedLink;
        if (Next) {
            while (target + 1 < count && sameLink(target, target + 1))
                ++target;
            ++target;
        } else {
            --target;
            while (target > 0 && sameLink(target - 1, target))
                --target;
        }
    } else {
        const QRect caret = CaretRect();
        const auto after = [&](const TRect& Rect) {
            return !caret.isValid() || Rect.Top > caret.top() || (Rect.Top == caret.top() && Rect.Left >= caret.left());
        };
        if (Next) {
            for (target = 0; target < count && !after(FLinks[static_cast<size_t>(target)].Rect); ++target) {
            }
        } else {
            for (target = count - 1; target >= 0 && after(FLinks[static_cast<size_t>(target)].Rect); --target) {
            }
            while (target > 0 && sameLink(target - 1, target))
                --target;
        }
    }
    if (target < 0 || target >= count)
        return false;
    FocusLink(target);
    return true;
}

void TDictionaryView::FocusLink(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(FLinks.size())) {
        SetFocusedLink(-1);
        return;
    }
    const TRect rect = FLinks[static_cast<size_t>(Index)].Rect;
    // The link's entry is the one on screen whose lines hold the piece.
    for (int entry = FCache.ProcessedFirst(); entry < FCache.ProcessedFirst() + FCache.ProcessedCount(); ++entry) {
        int top = 0;
        int hidden = 0;
        if (!EntryOnScreen(entry, top, hidden))
            continue;
        const TProcessedItem& item = FCache.Item(entry - FCache.ProcessedFirst());
        const int lines = item.Lines - hidden;
        if (rect.Top < top || rect.Top >= top + lines * FLayout.LineHeight())
            continue;
        TProcessedItem plain{WithoutMarks(item.Text), item.Lines};
        const THit hit = HitTest(FLayout, plain, rect.Left + 1, rect.Top + 1, top, hidden, FScrollBar->x());
        if (hit.Index >= 0)
            PlaceCaret(entry, plain.Text, hit.Index, false, false);
        break;
    }
    SetFocusedLink(Index);
}

}  // namespace lirabo
