#include "main_window/internet_page.h"

#include <QLabel>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "browser/mini_browser.h"
#include "language/language_apply.h"
#include "widgets/icons.h"

namespace lirabo {

TInternetPage::TInternetPage(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("tabMinibrowser"));
    SetTag(this, 9003);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    tlbInternet = new QToolBar(this);
    tlbInternet->setObjectName(QStringLiteral("tlbInternet"));
    SetNameTag(tlbInternet, 9124);
    const struct {
        const char* Name;
        QStyle::StandardPixmap Icon;
        int Tag;
        int NameTag;
        void (TInternetPage::*Click)();
    } buttons[] = {
        {"tlbBack", QStyle::SP_ArrowBack, 3003, 9117, &TInternetPage::tlbBackClick},
        {"tlbStop", QStyle::SP_BrowserStop, 3004, 9118, &TInternetPage::tlbStopClick},
        {"tlbRefresh", QStyle::SP_BrowserReload, 3005, 9119, &TInternetPage::tlbRefreshClick},
        {"tlbForward", QStyle::SP_ArrowForward, 3006, 9120, &TInternetPage::tlbForwardClick},
        {"tlbCustom", QStyle::SP_DirHomeIcon, 3007, 9121, nullptr},
    };
    for (const auto& b : buttons) {
        if (!b.Click)
            tlbInternet->addSeparator();
        auto* button = new QToolButton(tlbInternet);
        button->setObjectName(QLatin1String(b.Name));
        button->setIcon(style()->standardIcon(b.Icon));
        button->setAutoRaise(true);
        button->setEnabled(false);
        SetTag(button, b.Tag);
        SetNameTag(button, b.NameTag);
        tlbInternet->addWidget(button);
        if (b.Click) {
            connect(button, &QToolButton::clicked, this, b.Click);
        } else {
            button->setIcon(MakeIcon(TIconKind::Home));
            button->setPopupMode(QToolButton::MenuButtonPopup);
            tlbCustomButton = button;
        }
    }
    column->addWidget(tlbInternet);
    lblLoadingBrowser = new QLabel(this);
    lblLoadingBrowser->setTextFormat(Qt::PlainText);
    lblLoadingBrowser->setObjectName(QStringLiteral("lblLoadingBrowser"));
    lblLoadingBrowser->setAlignment(Qt::AlignCenter);
    lblLoadingBrowser->hide();
    SetTag(lblLoadingBrowser, 2004);
    column->addWidget(lblLoadingBrowser);
    column->addStretch(1);
}

TMiniBrowser* TInternetPage::MakeBrowser(const std::function<TMiniBrowser*(QWidget* Parent)>& Create)
{
    lblLoadingBrowser->show();
    lblLoadingBrowser->repaint();
    TMiniBrowser* browser = nullptr;
    try {
        browser = Create ? Create(this) : nullptr;
    } catch (const std::exception&) {
        browser = nullptr;
    }
    lblLoadingBrowser->hide();
    if (!browser)
        return nullptr;
    wbrInternet = browser;
    wbrInternet->setObjectName(QStringLiteral("wbrInternet"));
    SetNameTag(wbrInternet, 9122);
    auto* column = static_cast<QVBoxLayout*>(layout());
    // The stretch that held the toolbar at the top gives way to the page.
    delete column->takeAt(column->count() - 1);
    column->addWidget(wbrInternet, 1);
    wbrInternet->show();
    EnableBrowserCommands();
    return wbrInternet;
}

void TInternetPage::DestroyBrowser()
{
    if (!wbrInternet)
        return;
    delete wbrInternet;
    wbrInternet = nullptr;
    static_cast<QVBoxLayout*>(layout())->addStretch(1);
    EnableBrowserCommands();
}

void TInternetPage::EnableBrowserCommands()
{
    const bool present = wbrInternet != nullptr;
    for (QToolButton* button : tlbInternet->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!button->objectName().isEmpty())
            button->setEnabled(present);
    }
}

void TInternetPage::tlbBackClick()
{
    if (wbrInternet)
        wbrInternet->GoBack();
}

void TInternetPage::tlbForwardClick()
{
    if (wbrInternet)
        wbrInternet->GoForward();
}

void TInternetPage::tlbRefreshClick()
{
    if (wbrInternet)
        wbrInternet->Refresh();
}

void TInternetPage::tlbStopClick()
{
    if (wbrInternet)
        wbrInternet->Stop();
}

}  // namespace lirabo
