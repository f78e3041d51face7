// Clipboard translation, the marked-text (primary selection) translation of
// X11 desktops, and bringing the window forward for the other programs that
// reach it.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QToolButton>

#include "clipboard/clipboard_watch.h"
#include "language/language_apply.h"
#include "main_window/activation_token_scope.h"
#include "main_window/clipboard_text.h"
#include "main_window/frm_main.h"
#include "main_window/status_bar.h"
#include "main_window/top_bar.h"

namespace lirabo {


void TfrmMain::spdClipboardTranslationClick(bool FromButton)
{
    if (FromButton)
        FSettings.ClipboardTranslation = !FSettings.ClipboardTranslation;
    pnlTop->spdClipboardTranslation->setChecked(FSettings.ClipboardTranslation);
    // Joining tells the window of the clipboard at once, as a change.
    FClipboardWatch->WatchClipboard(FSettings.ClipboardTranslation);
}

int TfrmMain::NextClipboardViewer() const
{
    return FClipboardWatch->WatchingClipboard() ? 0 : -1;
}

void TfrmMain::WMDrawClipboard()
{
    if (FIgnoreClipboard) {
        FIgnoreClipboard = false;
        return;
    }
    const QString text = FClipboardWatch->ClipboardText();
    if (!text.isEmpty())
        TranslateCopiedText(text, true);
}

void TfrmMain::TranslateCopiedText(const QString& Copied, bool Activate)
{
    const QString text = ClipboardLookupText(Copied);
    if (text.isEmpty())
        return;
    // The copied text is not a word the person chose to keep: it does not
    // go to the recent list.
    SetLookupText(text);
    // Text the dictionary cannot hold found nothing to show: the window
    // stays where it is rather than take the person from their work only to
    // say so. The lookup box and the status bar tell them when they come.
    const bool lookedUp = cmbLookupChange();
    LookupSettled();
    if (!lookedUp)
        return;
    if (FTray.EverAdded())
        WMTrayIcon(TTrayState::kLeftButtonDown);
    // A Wayland desktop lets no program come forward on its own; asking
    // only marks the window as demanding attention. The entry is shown
    // where the window is.
    if (TActivationTokenScope::OnWayland()) {
        if (!isVisible() || isMinimized())
            RestoreWindow();
        return;
    }
    if (Activate)
        BringToFront();
    else
        raise();
}

void TfrmMain::ApplySelectionTranslation()
{
    Menu.mnuSelectionTranslation->setVisible(TClipboardWatch::SelectionAvailable());
    Menu.mnuSelectionTranslation->setChecked(FSettings.SelectionTranslation);
    FClipboardWatch->WatchSelection(FSettings.SelectionTranslation);
}

void TfrmMain::mnuSelectionTranslationClick()
{
    FSettings.SelectionTranslation = !FSettings.SelectionTranslation;
    ApplySelectionTranslation();
}

QString TfrmMain::ClipboardHint() const
{
    QString hint = FLanguage.ReadLanguageHint(QStringLiteral("Main"), 9019);
    // Say plainly where the desktop keeps copies from a program in the
    // background, and what to do about it.
    if (TActivationTokenScope::OnWayland() && FClipboardWatch->Compositor() == TClipboardWatch::TCompositor::Refused) {
        QString note = Text(9021);
        if (note.isEmpty())
            note = TLanguage().ReadLanguageText(QStringLiteral("Main"), 9021);
        hint += QLatin1Char(' ') + note;
    }
    return hint;
}

void TfrmMain::ClipboardCompositorChange()
{
    if (FClipboardWatch->Compositor() == TClipboardWatch::TCompositor::Gone &&
        (FSettings.ClipboardTranslation || FSettings.SelectionTranslation)) {
        // Watching has stopped with the connection; the buttons say so
        // rather than promise what no longer happens.
        FSettings.ClipboardTranslation = false;
        FSettings.SelectionTranslation = false;
        pnlTop->spdClipboardTranslation->setChecked(false);
        Menu.mnuSelectionTranslation->setChecked(false);
        QString notice = Text(9028);
        if (notice.isEmpty())
            notice = TLanguage().ReadLanguageText(QStringLiteral("Main"), 9028);
        stbStatusBar->ShowNotice(notice, kCompositorNoticeMs);
    }
    pnlTop->spdClipboardTranslation->setToolTip(PlainToolTip(ClipboardHint()));
}

void TfrmMain::BringToFront(const QString& ActivationToken)
{
    // Both ways forward end in RestoreWindow's activateWindow, where the
    // Wayland platform looks for the token.
    const TActivationTokenScope token(ActivationToken);
    // Hidden in the notification area, the window comes back the way a
    // press on its icon brings it, so that the icon goes too.
    if (FTray.IconShown()) {
        WMTrayIcon(TTrayState::kLeftButtonDown);
        return;
    }
    RestoreWindow();
}

void TfrmMain::RestoreWindow()
{
    if (isMinimized() || !isVisible()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
    }
    raise();
    activateWindow();
}

}  // namespace lirabo
