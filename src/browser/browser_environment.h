#pragma once

#include <string>

namespace lirabo {

// Prepares the process for the browser engine; call before the application
// object exists, whether or not the browser is ever shown (it is made late). As root (containers, CI) the engine's sandbox cannot start
// and every page would stay blank, so it is switched off there.
void PrepareBrowserEnvironment();

// The engine flags PrepareBrowserEnvironment sets: Flags with "--no-sandbox"
// added when IsRoot and not already present.
std::string BrowserFlags(const std::string& Flags, bool IsRoot);

}  // namespace lirabo
