#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QTimer;

namespace lirabo {

class TWaylandClipboard;

// Tells the window of text copied or marked in other programs: every change
// of the clipboard while it watches the clipboard, and the primary
// selection (marking text, where the platform has one) once the marking has
// rested, so that a selection that still grows is not looked up at every
// step. Marking in the program's own controls is never reported, nor are
// copies that password managers mark as secret. The events come on the
// thread that owns the object.
//
// On a Wayland desktop whose compositor lets a clipboard manager watch
// (KDE Plasma, the wlroots desktops) the compositor is asked directly, so
// copies made while our window is in the background arrive too; the
// toolkit's own clipboard signal, which comes only while a window of ours
// is active, is then not used at all.
class TClipboardWatch : public QObject {
public:
    // Programs announce marked text while the mouse still moves; the text is
    // reported once it has rested this long.
    static constexpr int kSelectionRestMs = 350;

    explicit TClipboardWatch(QObject* Parent = nullptr);
    ~TClipboardWatch() override;

    // Starts or stops watching the clipboard. Starting reports the clipboard
    // at once, as a change, whatever it holds; from the compositor that
    // report comes as soon as it answers.
    void WatchClipboard(bool On);
    bool WatchingClipboard() const { return FWatchClipboard; }
    // The text of the clipboard's latest change: empty when it holds no
    // text, is our own copy or a secret.
    QString ClipboardText() const;

    // Whether the platform has a primary selection to watch.
    static bool SelectionAvailable();
    // Starts or stops watching the primary selection; off where the
    // platform has none.
    void WatchSelection(bool On);

    enum class TCompositor {
        None,      // not a Wayland desktop, or not asked yet
        Asking,
        Watching,  // the compositor itself reports the changes (see above)
        Refused,   // it lets no clipboard manager watch: copies reach us
                   // only while our window is active
        Gone,      // the connection broke; watching has stopped
    };
    TCompositor Compositor() const;
    // Asks the compositor, where there is one, whether it reports changes,
    // watching or not: the answer comes to OnCompositorChange.
    void AskCompositor();

    // Puts Text on the clipboard as a copy of our own, which is reported
    // as a change without text.
    static void CopyOwnText(const QString& Text);

    std::function<void()> OnClipboardChange;
    std::function<void(const QString& Text)> OnSelectionRest;
    // Compositor() changed.
    std::function<void()> OnCompositorChange;

private:
    void Rewire();
    bool UseCompositor();
    void CompositorChanged(int Kind);
    void SelectionSettled();
    void ReportClipboard(const QString& Text);

    bool FWatchClipboard = false;
    bool FWatchSelection = false;
    bool FCompositorRefused = false;
    bool FCompositorGone = false;
    QString FCompositorText;
    TWaylandClipboard* FCompositor = nullptr;
    QMetaObject::Connection FClipboardConnection;
    QMetaObject::Connection FSelectionConnection;
    QTimer* FSelectionTimer = nullptr;
};

}  // namespace lirabo
