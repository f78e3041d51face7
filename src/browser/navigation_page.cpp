#include "browser/navigation_page.h"

namespace lirabo {

bool TNavigationPage::acceptNavigationRequest(const QUrl& Url, NavigationType Type, bool IsMainFrame)
{
    Q_UNUSED(Type);
    return !OnNavigate || OnNavigate(Url, IsMainFrame);
}

QWebEnginePage* TNavigationPage::createWindow(WebWindowType Type)
{
    Q_UNUSED(Type);
    // The link's navigation then arrives here and is asked about like any
    // other.
    return this;
}

}  // namespace lirabo
