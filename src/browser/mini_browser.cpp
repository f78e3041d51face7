#include "browser/mini_browser.h"

#include <QCoreApplication>
#include <QLibrary>

namespace lirabo {

TMiniBrowser* TMiniBrowser::Create(QWidget* Parent)
{
    // Beside the program in the build tree, in its library folder once
    // installed. The module stays loaded for the rest of the run.
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& path : {folder + QStringLiteral("/lirabo_web_engine"),
                                folder + QStringLiteral("/../lib/lirabo/lirabo_web_engine")}) {
        QLibrary module(path);
        if (auto create = reinterpret_cast<TCreateMiniBrowser>(module.resolve(kCreateMiniBrowser)))
            return create(Parent);
    }
    return nullptr;
}

}  // namespace lirabo
