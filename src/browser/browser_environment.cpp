#include "browser/browser_environment.h"

#include <cstdlib>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lirabo {

std::string BrowserFlags(const std::string& Flags, bool IsRoot)
{
    if (!IsRoot)
        return Flags;
    std::istringstream words(Flags);
    for (std::string word; words >> word;) {
        if (word == "--no-sandbox")
            return Flags;
    }
    return Flags.empty() ? std::string("--no-sandbox") : Flags + " --no-sandbox";
}

void PrepareBrowserEnvironment()
{
#ifndef _WIN32
    const char* variable = "QTWEBENGINE_CHROMIUM_FLAGS";
    const char* current = std::getenv(variable);
    const std::string flags = BrowserFlags(current ? current : "", geteuid() == 0);
    setenv(variable, flags.c_str(), 1);
#endif
}

}  // namespace lirabo
