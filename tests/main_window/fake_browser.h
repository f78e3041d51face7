#pragma once

// A minibrowser without an engine: it records what the window asks of it
// and lets a test play the page's part (a click on a link).

#include <QStringList>

#include "browser/mini_browser.h"

namespace lirabo::test {

class TFakeBrowser : public TMiniBrowser {
public:
    using TMiniBrowser::TMiniBrowser;

    void Navigate(const QString& Address) override
    {
        if (Follow(Address))
            FLocation = Address;
        FCalls << QStringLiteral("Navigate ") + Address;
    }
    void GoBack() override { FCalls << QStringLiteral("GoBack"); }
    void GoForward() override { FCalls << QStringLiteral("GoForward"); }
    void Refresh() override { FCalls << QStringLiteral("Refresh"); }
    void Stop() override { FCalls << QStringLiteral("Stop"); }
    QString LocationURL() const override { return FLocation; }

    // A click on a link to Address in the page (or, MainFrame false, in a
    // frame of it): true when the window let it go ahead.
    bool Follow(const QString& Address, bool MainFrame = true)
    {
        bool cancel = false;
        if (OnBeforeNavigate)
            OnBeforeNavigate(Address, MainFrame, cancel);
        if (!cancel && OnDownloadBegin)
            OnDownloadBegin();
        return !cancel;
    }

    QStringList FCalls;
    QString FLocation;
};

}  // namespace lirabo::test
