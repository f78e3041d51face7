#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QTimer;

namespace lirabo {

// Tells the window of text copied or marked in other programs: every change
// of the clipboard while it watches the clipboard, and the primary
// selection (marking text, where the platform has one) once the marking has
// rested, so that a selection that still grows is not looked up at every
// step. Marking in the program's own controls is never reported. The events
// come on the thread that owns the object.
class TClipboardWatch : public QObject {
public:
    // Programs announce marked text while the mouse still moves; the text is
    // reported once it has rested this long.
    static constexpr int kSelectionRestMs = 350;

    explicit TClipboardWatch(QObject* Parent = nullptr);

    // Starts or stops watching the clipboard. Starting reports the clipboard
    // at once, as a change, whatever it holds.
    void WatchClipboard(bool On);
    bool WatchingClipboard() const { return static_cast<bool>(FClipboardConnection); }

    // Whether the platform has a primary selection to watch.
    static bool SelectionAvailable();
    // Starts or stops watching the primary selection; off where the
    // platform has none.
    void WatchSelection(bool On);

    std::function<void()> OnClipboardChange;
    std::function<void(const QString& Text)> OnSelectionRest;

private:
    void SelectionSettled();

    QMetaObject::Connection FClipboardConnection;
    QMetaObject::Connection FSelectionConnection;
    QTimer* FSelectionTimer = nullptr;
};

}  // namespace lirabo
