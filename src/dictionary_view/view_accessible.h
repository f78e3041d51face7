#pragma once

#include <QAccessibleTextInterface>
#include <QAccessibleWidget>
#include <cstdint>
#include <vector>

#include "dictionary_view/link_children.h"
#include "dictionary_view/screen_text.h"

namespace lirabo {

class TDictionaryView;

// The dictionary view as assistive tools see it: read-only multi-line text
// holding what the screen shows (see TScreenText), its caret and selection
// those of the keyboard, and one child per link on screen (TLinkAccessible)
// after the scroll bar. Its name and description are the owner's
// (accessibleName, accessibleDescription); while nothing is laid out its text
// is the message the view shows instead.
//
// Qt creates it through the factory Install() adds, only once an assistive
// tool is active; nothing here runs or costs anything before. The text is
// read lazily and again only when the screen changed; the view tells it of
// paints and of caret, selection and link focus moves (the static
// notifications), which it turns into Qt's accessibility events.
class TViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TViewAccessible(TDictionaryView* View);
    ~TViewAccessible() override;

    // Makes Qt build this interface for every TDictionaryView. Once per
    // process is enough; later calls do nothing.
    static void Install();

    // Whether an assistive tool listens: Qt's word, or a test's listener.
    static bool Active();
    // Qt never turns active on a platform without an accessibility bridge
    // (offscreen), and then drops every event. Tests there stand in for a
    // tool with a listener of their own, which hears every event instead of
    // Qt; nullptr ends that.
    using TListener = void (*)(QAccessibleEvent* Event);
    static void SetListenerForTests(TListener Listener);

    // The view painted: what it shows may have changed. Each returns at once
    // while no assistive tool is active.
    static void NotifyPainted(TDictionaryView* View);
    static void NotifyCaretMoved(TDictionaryView* View);
    static void NotifySelectionChanged(TDictionaryView* View);
    static void NotifyLinkFocusChanged(TDictionaryView* View);

    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int Index) const override;
    int indexOfChild(const QAccessibleInterface* Child) const override;
    QAccessibleInterface* childAt(int X, int Y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType Type) override;

    void selection(int SelectionIndex, int* StartOffset, int* EndOffset) const override;
    int selectionCount() const override;
    void addSelection(int StartOffset, int EndOffset) override;
    void removeSelection(int SelectionIndex) override;
    void setSelection(int SelectionIndex, int StartOffset, int EndOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int Position) override;
    QString text(QAccessible::Text Type) const override;
    QString text(int StartOffset, int EndOffset) const override;
    int characterCount() const override;
    QRect characterRect(int Offset) const override;
    int offsetAtPoint(const QPoint& Point) const override;
    void scrollToSubstring(int StartIndex, int EndIndex) override;
    QString attributes(int Offset, int* StartOffset, int* EndOffset) const override;

private:
    // What the text on screen depends on; equal keys, equal text.
    struct TScreenKey {
        int TopEntry = -1;
        int TopLine = 0;
        uint64_t Generation = 0;
        int LayoutWidth = 0;
        int Height = 0;
        int RightEdge = 0;
        int LineHeight = 0;
        int Indent = 0;
        int Processed = 0;
        QString Message;
        bool operator==(const TScreenKey&) const = default;
    };

    static TViewAccessible* Of(TDictionaryView* View);
    // Hands an event to Qt, or to the test listener.
    static void Send(QAccessibleEvent& Event);
    TDictionaryView* View() const;
    TScreenKey Key() const;
    // Reads the screen again when it changed, telling tools what changed.
    void Refresh() const;
    void SyncLinks() const;
    void SendTextChange(const QString& Old, const QString& New) const;
    // An offset of the text for a place of the keyboard's, clamped to the
    // text when the entry is scrolled away.
    int OffsetOf(int Entry, int Index) const;
    void SelectRange(int StartOffset, int EndOffset);

    mutable TScreenText FScreen;
    mutable bool FBuilt = false;
    mutable TScreenKey FBuiltKey;
    mutable QString FText;  // the screen's text, or the message when nothing is laid out
    mutable TLinkChildren FLinks;
};

}  // namespace lirabo
