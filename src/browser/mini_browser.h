#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace lirabo {

// The web view of the Internet tab as the main window uses it: a few
// operations and three events. The engine behind it lives in a module of
// its own that is loaded when the first browser is made, so that the
// program does not pay for loading the engine at every start; a build or a
// machine without it gets no browser at all. Header-only, so that the
// module and the program need nothing of each other but this.
class TMiniBrowser : public QWidget {
public:
    using QWidget::QWidget;
    ~TMiniBrowser() override = default;

    // Before every navigation of the page (MainFrame) or one of its frames,
    // whoever started it; setting Cancel keeps the page where it is.
    std::function<void(const QString& Address, bool MainFrame, bool& Cancel)> OnBeforeNavigate;
    // A page has started loading.
    std::function<void()> OnDownloadBegin;
    // A page has finished loading, or failed to.
    std::function<void()> OnDocumentComplete;

    virtual void Navigate(const QString& Address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;
    // The address of the page shown.
    virtual QString LocationURL() const = 0;

    // A new browser with Parent as its parent, or nullptr when the engine's
    // module is missing or the engine cannot run here.
    static TMiniBrowser* Create(QWidget* Parent);
};

// The module's one entry point, looked up by this name.
using TCreateMiniBrowser = TMiniBrowser* (*)(QWidget* Parent);
inline constexpr const char* kCreateMiniBrowser = "LiraboCreateMiniBrowser";

}  // namespace lirabo
