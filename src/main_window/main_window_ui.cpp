#include "main_window/main_window_ui.h"

#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "language/language_apply.h"
#include "main_window/internet_page.h"
#include "main_window/main_tabs.h"
#include "main_window/relations_panel.h"
#include "main_window/status_bar.h"
#include "main_window/tips_panel.h"
#include "main_window/top_bar.h"
#include "widgets/icons.h"

namespace lirabo {

namespace {

constexpr int kDesignSize = 498;  // the window's client size as designed

}  // namespace

void TMainWindowUi::SetUpUi(QMainWindow* Window)
{
    SetTag(Window, 1);
    Window->setWindowIcon(MakeIcon(TIconKind::Application));
    Window->resize(kDesignSize, kDesignSize);

    auto* client = new QWidget(Window);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Window->setCentralWidget(client);

    pnlTop = new TTopBar(Window);
    column->addWidget(pnlTop);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    pnlRelations = new TRelationsPanel(Window);
    pagTabs = new TMainTabs(Window);
    FLookupView = pagTabs->LookupView;
    lblWordHints = pagTabs->lblWordHints;
    FAdvancedView = pagTabs->AdvancedView;
    middle->addWidget(pnlRelations);
    middle->addWidget(pagTabs, 1);
    column->addLayout(middle, 1);

    pnlTips = new TTipsPanel(Window);
    column->addWidget(pnlTips);

    stbStatusBar = new TStatusBar(Window);
    stbStatusBar->setObjectName(QStringLiteral("stbStatusBar"));
    Window->setStatusBar(stbStatusBar);

    Menu.Build(Window);
    // A window narrower than its menus shows the rest behind a button of
    // the menu bar's own.
    if (auto* more = Window->menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button")))
        SetNameTag(more, 9125);
    // The links menu drops down from the minibrowser's Custom button.
    pagTabs->tabMinibrowser->tlbCustomButton->setMenu(Menu.popLinks);
}

}  // namespace lirabo
