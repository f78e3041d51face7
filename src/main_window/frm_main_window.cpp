// The window itself: its place on the screen, hiding in the notification
// area, staying on top and stepwise transparency.

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <climits>

#include "main_window/frm_main.h"
#include "main_window/top_bar.h"
#include "main_window/window_fit.h"

namespace lirabo {

namespace {

// Nothing narrower or lower than this is a window one can see and grab.
constexpr QSize kSmallestWindow(100, 100);

}  // namespace

void TfrmMain::PlaceWindow(QPoint Place, QSize Size)
{
    // The screen the window's middle would be on, else the one it is on.
    const qint64 middleX = qint64(Place.x()) + std::clamp(Size.width(), 0, 1 << 20) / 2;
    const qint64 middleY = qint64(Place.y()) + std::clamp(Size.height(), 0, 1 << 20) / 2;
    QScreen* target = QGuiApplication::screenAt(QPoint(int(std::clamp<qint64>(middleX, INT_MIN, INT_MAX)),
                                                       int(std::clamp<qint64>(middleY, INT_MIN, INT_MAX))));
    if (!target)
        target = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect fitted = FitOnScreen(Place, Size, target ? target->availableGeometry() : QRect(), kSmallestWindow);
    resize(fitted.size());
    move(fitted.topLeft());
}

void TfrmMain::changeEvent(QEvent* Event)
{
    QMainWindow::changeEvent(Event);
    if (Event->type() == QEvent::WindowStateChange && isMinimized())
        // Hiding from inside the state change confuses some window
        // managers; the minimise is finished first.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                OnMinimize();
        });
}

void TfrmMain::OnMinimize()
{
    if (!FTray.Minimised(FSettings.MinimizeToTray, TrayAvailable()))
        return;
    if (!FTrayIcon) {
        FTrayIcon = new QSystemTrayIcon(windowIcon(), this);
        FTrayIcon->setObjectName(QStringLiteral("FTrayIcon"));
        FTrayIcon->setToolTip(QStringLiteral("Lirabo"));
        connect(FTrayIcon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason Reason) {
                    switch (Reason) {
                        case QSystemTrayIcon::Trigger:
                            WMTrayIcon(TTrayState::kLeftButtonDown);
                            break;
                        case QSystemTrayIcon::Context:
                            WMTrayIcon(TTrayState::kRightButtonDown);
                            break;
                        case QSystemTrayIcon::DoubleClick:
                            WMTrayIcon(TTrayState::kLeftButtonDoubleClick);
                            break;
                        case QSystemTrayIcon::MiddleClick:
                            WMTrayIcon(TTrayState::kMiddleButtonDown);
                            break;
                        case QSystemTrayIcon::Unknown:
                            break;
                    }
                });
    }
    // Hidden, the window has no taskbar button; the icon stands in for it.
    hide();
    FTrayIcon->show();
}

void TfrmMain::WMTrayIcon(int Code)
{
    if (!FTray.IconEvent(Code))
        return;
    RestoreWindow();
    if (FTrayIcon)
        FTrayIcon->hide();
}

bool TfrmMain::TrayAvailable() const
{
    return Hooks.TrayAvailableCheck ? Hooks.TrayAvailableCheck() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TfrmMain::spdAlwaysOnTopClick(bool FromButton)
{
    if (FromButton)
        FSettings.AlwaysOnTop = !FSettings.AlwaysOnTop;
    pnlTop->spdAlwaysOnTop->setChecked(FSettings.AlwaysOnTop);
    const Qt::WindowFlags flags = FSettings.AlwaysOnTop ? windowFlags() | Qt::WindowStaysOnTopHint
                                                        : windowFlags() & ~Qt::WindowStaysOnTopHint;
    if (flags == windowFlags())
        return;
    if (QWindow* window = windowHandle(); window && isVisible()) {
        // setWindowFlags would hide a shown window; the platform window
        // takes the band change in place, without moving or reordering.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void TfrmMain::mnuMoreTransparentClick()
{
    FOpacity = MoreTransparent(FOpacity);
    setWindowOpacity(WindowOpacityOf(FOpacity));
}

void TfrmMain::mnuLessTransparentClick()
{
    FOpacity = LessTransparent(FOpacity);
    setWindowOpacity(WindowOpacityOf(FOpacity));
}

}  // namespace lirabo
