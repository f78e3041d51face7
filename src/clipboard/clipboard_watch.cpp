#include "clipboard/clipboard_watch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include "clipboard/copied_types.h"
#include "clipboard/wayland_clipboard.h"

namespace lirabo {

TClipboardWatch::TClipboardWatch(QObject* Parent) : QObject(Parent)
{
    FSelectionTimer = new QTimer(this);
    FSelectionTimer->setSingleShot(true);
    FSelectionTimer->setInterval(kSelectionRestMs);
    connect(FSelectionTimer, &QTimer::timeout, this, [this] { SelectionSettled(); });
}

TClipboardWatch::~TClipboardWatch() = default;

bool TClipboardWatch::SelectionAvailable()
{
    return QGuiApplication::clipboard()->supportsSelection();
}

TClipboardWatch::TCompositor TClipboardWatch::Compositor() const
{
    if (FCompositorGone)
        return TCompositor::Gone;
    if (FCompositorRefused)
        return TCompositor::Refused;
    if (!FCompositor)
        return TCompositor::None;
    return FCompositor->Status() == TWaylandClipboard::TStatus::Watching ? TCompositor::Watching
                                                                         : TCompositor::Asking;
}

void TClipboardWatch::AskCompositor()
{
    UseCompositor();
}

void TClipboardWatch::CopyOwnText(const QString& Text)
{
    auto* data = new QMimeData;
    data->setText(Text);
    data->setData(QLatin1String(kOwnCopyType), QByteArrayLiteral("1"));
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
}

void TClipboardWatch::WatchClipboard(bool On)
{
    if (On == FWatchClipboard)
        return;
    FWatchClipboard = On;
    Rewire();
    if (!On)
        return;
    if (Compositor() == TCompositor::Watching) {
        // Joining while the compositor already reports: ask for what the
        // clipboard holds now, as a change.
        FCompositor->Fetch(TSelectionKind::Clipboard, [this](const QString& Text) { ReportClipboard(Text); });
    } else if (!FCompositor && OnClipboardChange) {
        OnClipboardChange();
    }
}

void TClipboardWatch::WatchSelection(bool On)
{
    On = On && SelectionAvailable();
    if (On == FWatchSelection)
        return;
    FWatchSelection = On;
    if (!On)
        FSelectionTimer->stop();
    Rewire();
}

bool TClipboardWatch::UseCompositor()
{
    if (FCompositor)
        return true;
    if (FCompositorRefused || FCompositorGone || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    FCompositor = new TWaylandClipboard(this);
    FCompositor->OnChange = [this](TSelectionKind Kind) { CompositorChanged(static_cast<int>(Kind)); };
    FCompositor->OnStatus = [this](TWaylandClipboard::TStatus Status) {
        if (Status == TWaylandClipboard::TStatus::Watching) {
            if (OnCompositorChange)
                OnCompositorChange();
            return;
        }
        // Called from inside the compositor's events: it goes afterwards.
        FCompositor->deleteLater();
        FCompositor = nullptr;
        FCompositorText.clear();
        if (Status == TWaylandClipboard::TStatus::Unavailable) {
            FCompositorRefused = true;
            // Back to the toolkit's signal, which reports at once.
            const bool clipboard = FWatchClipboard;
            FWatchClipboard = false;
            Rewire();
            WatchClipboard(clipboard);
        } else {
            FCompositorGone = true;
            FWatchClipboard = FWatchSelection = false;
            FSelectionTimer->stop();
        }
        if (OnCompositorChange)
            OnCompositorChange();
    };
    if (!FCompositor->Start()) {
        delete FCompositor;
        FCompositor = nullptr;
        FCompositorRefused = true;
        return false;
    }
    return true;
}

void TClipboardWatch::Rewire()
{
    // The connection, once made, stays while nothing is watched: changes
    // are then passed by unread, and it answers at once when watching
    // starts again.
    const bool wanted = FWatchClipboard || FWatchSelection;
    if ((wanted || FCompositor) && UseCompositor()) {
        disconnect(FClipboardConnection);
        disconnect(FSelectionConnection);
        FClipboardConnection = FSelectionConnection = {};
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (FWatchClipboard && !FClipboardConnection) {
        FClipboardConnection = connect(clipboard, &QClipboard::dataChanged, this, [this] {
            if (OnClipboardChange)
                OnClipboardChange();
        });
    } else if (!FWatchClipboard && FClipboardConnection) {
        disconnect(FClipboardConnection);
        FClipboardConnection = {};
    }
    if (FWatchSelection && !FSelectionConnection) {
        FSelectionConnection = connect(clipboard, &QClipboard::selectionChanged, this, [this] {
            // Marking in our own controls (the lookup box) is not a request.
            if (!QGuiApplication::clipboard()->ownsSelection())
                FSelectionTimer->start();
        });
    } else if (!FWatchSelection && FSelectionConnection) {
        disconnect(FSelectionConnection);
        FSelectionConnection = {};
    }
}

void TClipboardWatch::CompositorChanged(int Kind)
{
    if (static_cast<TSelectionKind>(Kind) == TSelectionKind::Primary) {
        if (FWatchSelection)
            FSelectionTimer->start();
        return;
    }
    if (!FWatchClipboard)
        return;
    // Every change is reported, as the toolkit's signal does; our own
    // copies and secrets without text.
    FCompositor->Fetch(TSelectionKind::Clipboard, [this](const QString& Text) { ReportClipboard(Text); });
}

void TClipboardWatch::ReportClipboard(const QString& Text)
{
    if (!FWatchClipboard)
        return;
    FCompositorText = Text;
    if (OnClipboardChange)
        OnClipboardChange();
}

QString TClipboardWatch::ClipboardText() const
{
    if (FCompositor)
        return FCompositorText;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText() || SkipCopiedData(*data))
        return QString();
    return data->text();
}

void TClipboardWatch::SelectionSettled()
{
    // Our own marking, whichever way it was reported.
    if (QGuiApplication::clipboard()->ownsSelection() || !OnSelectionRest)
        return;
    if (FCompositor) {
        FCompositor->Fetch(TSelectionKind::Primary, [this](const QString& Text) {
            if (FWatchSelection && !Text.isEmpty() && OnSelectionRest)
                OnSelectionRest(Text);
        });
        return;
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Selection);
    if (!data || !data->hasText() || SkipCopiedData(*data))
        return;
    OnSelectionRest(data->text());
}

}  // namespace lirabo
