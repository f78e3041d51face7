#include "clipboard/clipboard_watch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

namespace lirabo {

TClipboardWatch::TClipboardWatch(QObject* Parent) : QObject(Parent)
{
    FSelectionTimer = new QTimer(this);
    FSelectionTimer->setSingleShot(true);
    FSelectionTimer->setInterval(kSelectionRestMs);
    connect(FSelectionTimer, &QTimer::timeout, this, [this] { SelectionSettled(); });
}

void TClipboardWatch::WatchClipboard(bool On)
{
    if (On == WatchingClipboard())
        return;
    if (!On) {
        disconnect(FClipboardConnection);
        FClipboardConnection = {};
        return;
    }
    FClipboardConnection = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (OnClipboardChange)
            OnClipboardChange();
    });
    if (OnClipboardChange)
        OnClipboardChange();
}

bool TClipboardWatch::SelectionAvailable()
{
    return QGuiApplication::clipboard()->supportsSelection();
}

void TClipboardWatch::WatchSelection(bool On)
{
    On = On && SelectionAvailable();
    if (On && !FSelectionConnection) {
        FSelectionConnection = connect(QGuiApplication::clipboard(), &QClipboard::selectionChanged, this, [this] {
            // Marking in our own controls (the lookup box) is not a request.
            if (!QGuiApplication::clipboard()->ownsSelection())
                FSelectionTimer->start();
        });
    } else if (!On && FSelectionConnection) {
        disconnect(FSelectionConnection);
        FSelectionConnection = {};
        FSelectionTimer->stop();
    }
}

void TClipboardWatch::SelectionSettled()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsSelection())
        return;
    const QMimeData* data = clipboard->mimeData(QClipboard::Selection);
    if (!data || !data->hasText() || !OnSelectionRest)
        return;
    OnSelectionRest(data->text());
}

}  // namespace lirabo
