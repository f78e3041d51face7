#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QToolBar;
class QToolButton;

namespace lirabo {

class TMiniBrowser;

// The Internet tab's page: the minibrowser's toolbar on top and, once made,
// the minibrowser below it. The browser is heavy (a web engine with helper
// processes), so the page is built without it and the window asks for it
// when the tab is first shown. Back, Stop, Refresh and Forward act on the
// browser directly and work only while it exists; the Custom button is the
// window's to connect (it goes home and drops down the links menu).
class TInternetPage : public QWidget {
public:
    explicit TInternetPage(QWidget* Parent = nullptr);

    // Makes the browser through Create, showing "loading" meanwhile, and
    // puts it under the toolbar. Returns nullptr, and shows no browser, when
    // Create is empty, returns nullptr or raises.
    TMiniBrowser* MakeBrowser(const std::function<TMiniBrowser*(QWidget* Parent)>& Create);
    // Deletes the browser, if any; the toolbar's commands stop working.
    void DestroyBrowser();
    TMiniBrowser* Browser() const { return wbrInternet; }

    QToolBar* tlbInternet = nullptr;
    QToolButton* tlbCustomButton = nullptr;
    QLabel* lblLoadingBrowser = nullptr;

private:
    void EnableBrowserCommands();
    void tlbBackClick();
    void tlbForwardClick();
    void tlbRefreshClick();
    void tlbStopClick();

    TMiniBrowser* wbrInternet = nullptr;
};

}  // namespace lirabo
