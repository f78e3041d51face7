// A build without a browser engine: the main window then behaves as with
// the browser disabled.

#include "browser/mini_browser.h"

namespace lirabo {

bool TMiniBrowser::Built()
{
    return false;
}

TMiniBrowser* TMiniBrowser::Create(QWidget* Parent)
{
    Q_UNUSED(Parent);
    return nullptr;
}

}  // namespace lirabo
