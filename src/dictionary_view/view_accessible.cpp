#include "dictionary_view/view_accessible.h"

#include <QScrollBar>
#include <algorithm>

#include "dictionary_view/dictionary_view.h"

namespace lirabo {

namespace {

QAccessibleInterface* CreateForView(const QString& /*Key*/, QObject* Object)
{
    if (auto* view = qobject_cast<TDictionaryView*>(Object))
        return new TViewAccessible(view);
    return nullptr;
}

TViewAccessible::TListener TestListener = nullptr;

}  // namespace

TViewAccessible::TViewAccessible(TDictionaryView* View)
    : QAccessibleWidget(View, QAccessible::EditableText), FScreen(View->Layout())
{
}

TViewAccessible::~TViewAccessible() = default;

void TViewAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(CreateForView);
        return true;
    }();
    (void)installed;
}

bool TViewAccessible::Active()
{
    return QAccessible::isActive() || TestListener;
}

void TViewAccessible::SetListenerForTests(TListener Listener)
{
    TestListener = Listener;
}

void TViewAccessible::Send(QAccessibleEvent& Event)
{
    if (TestListener)
        TestListener(&Event);
    else
        QAccessible::updateAccessibility(&Event);
}

TViewAccessible* TViewAccessible::Of(TDictionaryView* View)
{
    return dynamic_cast<TViewAccessible*>(QAccessible::queryAccessibleInterface(View));
}

TDictionaryView* TViewAccessible::View() const
{
    return static_cast<TDictionaryView*>(widget());
}

// --- the text on screen -------------------------------------------------------

TViewAccessible::TScreenKey TViewAccessible::Key() const
{
    const TDictionaryView* view = View();
    const TLayoutCache& cache = view->LayoutCache();
    const int processed = cache.ProcessedCount();
    return {view->TopEntry(),
            view->TopLine(),
            cache.Generation(),
            cache.LayoutWidth(),
            view->height(),
            view->ScrollBar()->x(),
            view->Layout().LineHeight(),
            view->Layout().Indent(),
            processed,
            processed > 0 ? QString() : view->EmptyText()};
}

void TViewAccessible::Refresh() const
{
    TDictionaryView* view = View();
    if (!view || !Active())
        return;
    try {
        view->ProcessScreen();
    } catch (const std::exception&) {
        // An undecodable section leaves the cache empty: nothing is read.
    }
    const TScreenKey key = Key();
    if (FBuilt && key == FBuiltKey)
        return;
    const TLayoutCache& cache = view->LayoutCache();
    const int count = cache.ProcessedCount();
    if (count > 0)
        FScreen.Build(std::span(&cache.Item(0), static_cast<size_t>(count)), cache.ProcessedFirst(),
                      view->TopLine(), view->height(), view->ScrollBar()->x());
    else
        FScreen.Clear();
    const QString old = FText;
    FText = FScreen.Text();
    if (count == 0) {
        // The view adds a space to the message for painting it word by word.
        FText = view->EmptyText();
        if (FText.endsWith(u' '))
            FText.chop(1);
    }
    const bool first = !FBuilt;
    FBuilt = true;
    FBuiltKey = key;
    if (!first)
        SendTextChange(old, FText);
}

void TViewAccessible::SendTextChange(const QString& Old, const QString& New) const
{
    if (Old == New)
        return;
    // Only what differs is said to have changed: a scroll by a line loses
    // the first line and gains a last one.
    const qsizetype shorter = std::min(Old.size(), New.size());
    qsizetype prefix = 0;
    while (prefix < shorter && Old[prefix] == New[prefix])
        ++prefix;
    if (prefix > 0 && Old[prefix - 1].isHighSurrogate())
        --prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && Old[Old.size() - 1 - suffix] == New[New.size() - 1 - suffix])
        ++suffix;
    if (suffix > 0 && Old[Old.size() - suffix].isLowSurrogate())
        --suffix;
    QAccessibleTextUpdateEvent event(View(), static_cast<int>(prefix),
                                     Old.mid(prefix, Old.size() - prefix - suffix),
                                     New.mid(prefix, New.size() - prefix - suffix));
    Send(event);
}

int TViewAccessible::OffsetOf(int Entry, int Index) const
{
    if (Entry < 0 || FScreen.EntryCount() == 0 || Entry < FScreen.FirstEntry())
        return 0;
    const int offset = FScreen.OffsetOf({Entry, Index});
    return offset < 0 ? FScreen.Length() : offset;
}

QString TViewAccessible::text(QAccessible::Text Type) const
{
    return QAccessibleWidget::text(Type);
}

QString TViewAccessible::text(int StartOffset, int EndOffset) const
{
    Refresh();
    if (StartOffset < 0)
        StartOffset = 0;
    if (EndOffset < 0 || EndOffset > FText.size())
        EndOffset = static_cast<int>(FText.size());
    return StartOffset < EndOffset ? FText.mid(StartOffset, EndOffset - StartOffset) : QString();
}

int TViewAccessible::characterCount() const
{
    Refresh();
    return static_cast<int>(FText.size());
}

QRect TViewAccessible::characterRect(int Offset) const
{
    Refresh();
    const TRect rect = FScreen.CharacterRect(Offset);
    if (rect == kNoRect)
        return {};
    return QRect(View()->mapToGlobal(QPoint(rect.Left, rect.Top)),
                 QSize(rect.Right - rect.Left, rect.Bottom - rect.Top));
}

int TViewAccessible::offsetAtPoint(const QPoint& Point) const
{
    Refresh();
    const QPoint local = View()->mapFromGlobal(Point);
    return FScreen.OffsetAt(local.x(), local.y());
}

void TViewAccessible::scrollToSubstring(int StartIndex, int EndIndex)
{
    Refresh();
    TDictionaryView* view = View();
    const int lineHeight = view->Layout().LineHeight();
    const TRect first = FScreen.CharacterRect(StartIndex);
    if (first == kNoRect || lineHeight <= 0)
        return;
    // Everything read is on screen but a last line cut by the bottom edge:
    // the lines up to the end come up, never the start out of sight.
    TRect last = FScreen.CharacterRect(std::max(EndIndex - 1, StartIndex));
    if (last == kNoRect)
        last = first;
    const int below = last.Bottom - view->height();
    if (below <= 0)
        return;
    const int lines = std::min((below + lineHeight - 1) / lineHeight, (first.Top - kTopMargin) / lineHeight);
    if (lines <= 0)
        return;
    try {
        view->ScrollLines(lines);
    } catch (const std::exception&) {
        // An undecodable section: the view stays where it is.
    }
}

QString TViewAccessible::attributes(int /*Offset*/, int* StartOffset, int* EndOffset) const
{
    // The styles of the elements are the program's look, not the text's:
    // the whole text is one run without attributes.
    *StartOffset = 0;
    *EndOffset = characterCount();
    return {};
}

// --- caret and selection --------------------------------------------------------

int TViewAccessible::cursorPosition() const
{
    Refresh();
    const TDictionaryView::TCaret caret = View()->Caret();
    return OffsetOf(caret.Entry, caret.Index);
}

void TViewAccessible::setCursorPosition(int Position)
{
    Refresh();
    const TScreenPosition position = FScreen.PositionAt(Position);
    if (position.Entry >= 0)
        View()->SetCaret({position.Entry, position.Index});
}

int TViewAccessible::selectionCount() const
{
    return View()->Selection().Empty() ? 0 : 1;
}

void TViewAccessible::selection(int SelectionIndex, int* StartOffset, int* EndOffset) const
{
    *StartOffset = 0;
    *EndOffset = 0;
    const TDictionaryView::TTextRange range = View()->Selection();
    if (SelectionIndex != 0 || range.Empty())
        return;
    Refresh();
    *StartOffset = OffsetOf(range.Entry, range.Begin);
    *EndOffset = OffsetOf(range.Entry, range.End);
}

void TViewAccessible::SelectRange(int StartOffset, int EndOffset)
{
    Refresh();
    if (StartOffset > EndOffset)
        std::swap(StartOffset, EndOffset);
    const TScreenPosition begin = FScreen.PositionAt(StartOffset);
    if (begin.Entry < 0)
        return;
    TScreenPosition end = FScreen.PositionAt(EndOffset);
    // The view selects within one entry: a range running on into the next
    // one ends with the entry where it starts.
    if (end.Entry != begin.Entry)
        end = {begin.Entry, FScreen.EndOf(begin.Entry)};
    View()->SetSelection({begin.Entry, begin.Index, std::max(end.Index, begin.Index)});
}

void TViewAccessible::setSelection(int SelectionIndex, int StartOffset, int EndOffset)
{
    if (SelectionIndex == 0)
        SelectRange(StartOffset, EndOffset);
}

void TViewAccessible::addSelection(int StartOffset, int EndOffset)
{
    // One selection at most: a new one replaces the old.
    SelectRange(StartOffset, EndOffset);
}

void TViewAccessible::removeSelection(int SelectionIndex)
{
    // Setting the caret where it stands ends the selection.
    if (SelectionIndex == 0 && selectionCount() > 0)
        View()->SetCaret(View()->Caret());
}

// --- the interface and its children ----------------------------------------------

QAccessible::State TViewAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.focusable = true;
    state.selectableText = true;
    state.editable = false;
    return state;
}

void* TViewAccessible::interface_cast(QAccessible::InterfaceType Type)
{
    if (Type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
}

void TViewAccessible::SyncLinks() const
{
    if (Active() && View())
        FLinks.Sync(View(), Send);
}

int TViewAccessible::childCount() const
{
    SyncLinks();
    return QAccessibleWidget::childCount() + FLinks.Count();
}

QAccessibleInterface* TViewAccessible::child(int Index) const
{
    SyncLinks();
    const int widgets = QAccessibleWidget::childCount();
    return Index < widgets ? QAccessibleWidget::child(Index) : FLinks.At(Index - widgets);
}

int TViewAccessible::indexOfChild(const QAccessibleInterface* Child) const
{
    SyncLinks();
    const int link = FLinks.IndexOf(Child);
    return link >= 0 ? QAccessibleWidget::childCount() + link : QAccessibleWidget::indexOfChild(Child);
}

QAccessibleInterface* TViewAccessible::childAt(int X, int Y) const
{
    SyncLinks();
    if (QAccessibleInterface* link = FLinks.At(FLinks.IndexAt(View()->mapFromGlobal(QPoint(X, Y)))))
        return link;
    for (int j = 0; j < QAccessibleWidget::childCount(); ++j) {
        QAccessibleInterface* widget = QAccessibleWidget::child(j);
        if (widget && widget->rect().contains(X, Y))
            return widget;
    }
    return nullptr;
}

QAccessibleInterface* TViewAccessible::focusChild() const
{
    const TDictionaryView* view = View();
    if (view->hasFocus()) {
        SyncLinks();
        if (QAccessibleInterface* link = FLinks.At(FLinks.IndexOfPiece(view->FocusedLink())))
            return link;
    }
    return QAccessibleWidget::focusChild();
}

// --- what the view tells ---------------------------------------------------------

void TViewAccessible::NotifyPainted(TDictionaryView* View)
{
    if (!Active())
        return;
    if (TViewAccessible* accessible = Of(View)) {
        accessible->Refresh();
        accessible->SyncLinks();
    }
}

void TViewAccessible::NotifyCaretMoved(TDictionaryView* View)
{
    if (!Active())
        return;
    if (TViewAccessible* accessible = Of(View)) {
        QAccessibleTextCursorEvent event(View, accessible->cursorPosition());
        Send(event);
    }
}

void TViewAccessible::NotifySelectionChanged(TDictionaryView* View)
{
    if (!Active())
        return;
    if (TViewAccessible* accessible = Of(View)) {
        int start = 0;
        int end = 0;
        accessible->selection(0, &start, &end);
        QAccessibleTextSelectionEvent event(View, start, end);
        event.setCursorPosition(accessible->cursorPosition());
        Send(event);
    }
}

void TViewAccessible::NotifyLinkFocusChanged(TDictionaryView* View)
{
    if (!Active() || !View->hasFocus())
        return;
    if (TViewAccessible* accessible = Of(View)) {
        accessible->SyncLinks();
        QAccessibleInterface* focused =
            accessible->FLinks.At(accessible->FLinks.IndexOfPiece(View->FocusedLink()));
        if (!focused)
            focused = accessible;
        QAccessibleEvent event(focused, QAccessible::Focus);
        Send(event);
    }
}

}  // namespace lirabo
