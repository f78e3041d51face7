#pragma once

#include <QString>

namespace lirabo {

// What of a copied text is looked up: the first kMaxClipboardText
// characters (a character outside the basic plane counts once and is never
// cut in half). A text with nothing but white space and control characters
// gives the empty text, which means "look nothing up". Never raises.
inline constexpr int kMaxClipboardText = 100;
QString ClipboardLookupText(const QString& Copied);

}  // namespace lirabo
