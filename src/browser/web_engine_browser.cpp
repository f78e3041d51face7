#include "browser/web_engine_browser.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QLibraryInfo>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "browser/navigation_page.h"

namespace lirabo {

TWebEngineBrowser::TWebEngineBrowser(QWidget* Parent) : TMiniBrowser(Parent)
{
    FView = new QWebEngineView(this);
    FView->setObjectName(QStringLiteral("wbrInternetView"));
    FPage = new TNavigationPage(FView);
    FView->setPage(FPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FView);
    // The keyboard given to the browser belongs to its page.
    setFocusProxy(FView);

    FPage->OnNavigate = [this](const QUrl& Address, bool MainFrame) {
        bool cancel = false;
        if (OnBeforeNavigate)
            OnBeforeNavigate(Address.toString(), MainFrame, cancel);
        return !cancel;
    };
    connect(FPage, &QWebEnginePage::loadStarted, this, [this] {
        if (OnDownloadBegin)
            OnDownloadBegin();
    });
    connect(FPage, &QWebEnginePage::loadFinished, this, [this] {
        if (OnDocumentComplete)
            OnDocumentComplete();
    });
}

void TWebEngineBrowser::Navigate(const QString& Address)
{
    // Exactly as given: an address typed without a scheme is the engine's to
    // interpret, as in any browser's address bar.
    FView->setUrl(QUrl::fromUserInput(Address));
}

void TWebEngineBrowser::GoBack()
{
    FView->back();
}

void TWebEngineBrowser::GoForward()
{
    FView->forward();
}

void TWebEngineBrowser::Refresh()
{
    FView->reload();
}

void TWebEngineBrowser::Stop()
{
    FView->stop();
}

QString TWebEngineBrowser::LocationURL() const
{
    return FView->url().toString();
}

}  // namespace lirabo

// Qt's own hook for an engine started after the application object: the
// engine draws through a context shared with the whole program, which a
// program normally asks for before it starts. Asking for it then would give
// every start the cost of a GL context, most of them for nothing.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* Context);

// What TMiniBrowser::Create calls once it has loaded this module.
extern "C" Q_DECL_EXPORT lirabo::TMiniBrowser* LiraboCreateMiniBrowser(QWidget* Parent)
{
    if (!QOpenGLContext::globalShareContext()) {
        auto* share = new QOpenGLContext(QCoreApplication::instance());
        // Without a GL driver the context stays invalid and the engine draws
        // in software (it is started without the GPU where none is usable).
        share->create();
        qt_gl_set_global_share_context(share);
    }
    QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGLRhi);

    // Without its helper program the engine shows nothing but a blank page;
    // the main window then treats the browser as disabled instead.
#ifdef Q_OS_WIN
    const QString helperName = QStringLiteral("/QtWebEngineProcess.exe");
#else
    const QString helperName = QStringLiteral("/QtWebEngineProcess");
#endif
    const QFileInfo helper(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + helperName);
    if (qEnvironmentVariableIsEmpty("QTWEBENGINEPROCESS_PATH") && !helper.isExecutable())
        return nullptr;
    return new lirabo::TWebEngineBrowser(Parent);
}
