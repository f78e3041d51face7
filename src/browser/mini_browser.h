#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace lirabo {

// The web view of the Internet tab as the main window uses it: a few
// operations and three events. The engine behind it is this folder's
// business; a build or a machine without one gets no browser at all.
class TMiniBrowser : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
    ~TMiniBrowser() override;

    // Before every navigation of the page or one of its frames, whoever
    // started it; setting Cancel keeps the page where it is.
    std::function<void(const QString& Address, bool& Cancel)> OnBeforeNavigate;
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

    // A new browser with Parent as its parent, or nullptr when this build has
    // no browser engine or the engine cannot run here.
    static TMiniBrowser* Create(QWidget* Parent);
    // Whether this build has a browser engine.
    static bool Built();
};

}  // namespace lirabo
