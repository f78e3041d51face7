#pragma once

#include <QWebEnginePage>
#include <functional>

namespace lirabo {

// A web page that asks before every navigation and keeps links that want a
// new window in itself: the Internet tab has no windows to open.
class TNavigationPage : public QWebEnginePage {
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;

    // Returns whether the navigation to Address, of the page itself
    // (MainFrame) or of a frame in it, may go ahead.
    std::function<bool(const QUrl& Address, bool MainFrame)> OnNavigate;

protected:
    bool acceptNavigationRequest(const QUrl& Url, NavigationType Type, bool IsMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType Type) override;
};

}  // namespace lirabo
