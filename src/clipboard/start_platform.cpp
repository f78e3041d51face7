#include "clipboard/start_platform.h"

#include <cstdlib>
#include <cstring>

namespace lirabo {

TStartPlatform ChooseStartPlatform(const TStartFacts& Facts,
                                   const std::function<TDataControlConnection::TState()>& Probe)
{
    if (!Facts.TranslationOn || Facts.WaylandDisplay.empty() || Facts.X11Display.empty() ||
        !Facts.ForcedPlatform.empty() || Facts.PlatformArgument)
        return TStartPlatform::AsChosen;
    // Only a compositor that answers and refuses moves us; one that cannot
    // be reached is left to the toolkit, which will say what is wrong.
    return Probe() == TDataControlConnection::TState::Unsupported ? TStartPlatform::ThroughXWayland
                                                                   : TStartPlatform::AsChosen;
}

TStartFacts StartFactsOf(int argc, char** argv, bool TranslationOn)
{
    const auto variable = [](const char* Name) {
        const char* value = std::getenv(Name);
        return std::string(value ? value : "");
    };
    TStartFacts facts;
    facts.WaylandDisplay = variable("WAYLAND_DISPLAY");
    facts.X11Display = variable("DISPLAY");
    facts.ForcedPlatform = variable("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0 ||
            std::strncmp(argv[i], "-platform=", 10) == 0)
            facts.PlatformArgument = true;
    facts.TranslationOn = TranslationOn;
    return facts;
}

TDataControlConnection::TState ProbeCompositor(int TimeoutMs)
{
    TDataControlConnection connection;
    if (!connection.Connect())
        return TDataControlConnection::TState::Broken;
    return connection.WaitUntilKnown(TimeoutMs);
}

}  // namespace lirabo
