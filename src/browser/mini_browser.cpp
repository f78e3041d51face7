#include "browser/mini_browser.h"

namespace lirabo {

TMiniBrowser::~TMiniBrowser() = default;

}  // namespace lirabo
