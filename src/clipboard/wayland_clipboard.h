#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clipboard/data_control_device.h"

class QSocketNotifier;

namespace lirabo {

class TDataControlConnection;
class TPipeReader;

// The clipboard and the primary selection of a Wayland desktop as a
// clipboard manager sees them: every change, made in any program, while
// our window is in the background too. Needs a compositor with a
// data-control protocol (KDE Plasma, sway and the other wlroots desktops);
// everything runs on the window's thread from the event loop, on a
// connection of its own.
class TWaylandClipboard : public QObject {
public:
    enum class TStatus {
        Connecting,
        Watching,
        Unavailable,  // this compositor tells no clipboard manager anything
        Lost,         // the connection broke after it worked
    };
    // What of a copy is read: the lookup takes its first hundred
    // characters, so a huge copy is never read whole.
    static constexpr qsizetype kMaxTextBytes = 64 * 1024;
    static constexpr qsizetype kMaxHintBytes = 64;
    // A program that does not hand over its copy in this time is passed by.
    static constexpr int kReadTimeoutMs = 1000;

    explicit TWaylandClipboard(QObject* Parent = nullptr);
    ~TWaylandClipboard() override;

    // Connects to Display, named as WAYLAND_DISPLAY names it; empty: that
    // variable's. False when no compositor answers there.
    bool Start(const QString& Display = QString());
    TStatus Status() const { return FStatus; }

    // Reads the text of Kind's present selection for Done, called from the
    // event loop: empty when the selection holds no text, is our own copy or
    // a secret, or is not handed over in time. A new selection of the kind,
    // or another Fetch, ends an unfinished one with the empty text first.
    void Fetch(TSelectionKind Kind, std::function<void(const QString& Text)> Done);

    // Kind's selection changed (the first of each comes for what is held
    // when the connection starts).
    std::function<void(TSelectionKind Kind)> OnChange;
    // Watching, then Lost; or Unavailable. Called once for each.
    std::function<void(TStatus Status)> OnStatus;

private:
    struct TFetch {
        TPipeReader* Reader = nullptr;
        std::function<void(const QString&)> Done;
    };

    void Dispatch();
    void SetStatus(TStatus Status);
    void Changed(TSelectionKind Kind, const std::vector<std::string>& Types);
    void EndFetch(TSelectionKind Kind, const QString& Text);
    void ReadText(TSelectionKind Kind);
    // Asks for Kind's selection as Type; Read gets the bytes and whether the
    // writer finished. False when it could not be asked for.
    bool Receive(TSelectionKind Kind, const std::string& Type, qsizetype Limit,
                 std::function<void(const QByteArray&, bool)> Read);
    static std::size_t Slot(TSelectionKind Kind) { return Kind == TSelectionKind::Clipboard ? 0 : 1; }

    std::unique_ptr<TDataControlConnection> FConnection;
    QSocketNotifier* FNotifier = nullptr;
    TStatus FStatus = TStatus::Connecting;
    bool FDeviceWired = false;
    std::vector<std::string> FTypes[2];
    TFetch FFetch[2];
};

}  // namespace lirabo
