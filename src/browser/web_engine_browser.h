#pragma once

#include "browser/mini_browser.h"

class QWebEngineView;

namespace lirabo {

class TNavigationPage;

// The minibrowser on the Chromium-based engine of Qt; lives in the engine's
// module.
class TWebEngineBrowser : public TMiniBrowser {
public:
    explicit TWebEngineBrowser(QWidget* Parent);

    void Navigate(const QString& Address) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    QString LocationURL() const override;

    QWebEngineView* View() const { return FView; }

private:
    QWebEngineView* FView = nullptr;
    TNavigationPage* FPage = nullptr;
};

}  // namespace lirabo
