#pragma once

#include <functional>
#include <string>

#include "clipboard/data_control_connection.h"

namespace lirabo {

// What the choice of the window platform rests on, read before the
// application object exists.
struct TStartFacts {
    std::string WaylandDisplay;  // WAYLAND_DISPLAY
    std::string X11Display;      // DISPLAY: set where XWayland serves X11 programs
    std::string ForcedPlatform;  // QT_QPA_PLATFORM
    bool PlatformArgument = false;  // -platform on the command line
    bool TranslationOn = false;     // copied or marked text is looked up
};

enum class TStartPlatform {
    AsChosen,         // the toolkit's own choice
    ThroughXWayland,  // X11, on the Wayland desktop's X server
};

// Where the window is to run. A Wayland desktop whose compositor lets no
// clipboard manager watch (GNOME's) tells a native program of copies only
// while it is active, but passes every copy on to X11 programs: with
// translation on, and nobody having chosen a platform, the window then runs
// through XWayland. Probe asks the compositor, and is called only when the
// answer matters, since it costs a connection.
TStartPlatform ChooseStartPlatform(const TStartFacts& Facts,
                                   const std::function<TDataControlConnection::TState()>& Probe);

// The facts of this process: its environment and arguments; the setting
// comes from the caller, who knows where it is stored.
TStartFacts StartFactsOf(int argc, char** argv, bool TranslationOn);

// Asks the compositor of WAYLAND_DISPLAY whether it lets a clipboard
// manager watch, waiting for it at most TimeoutMs.
TDataControlConnection::TState ProbeCompositor(int TimeoutMs);

}  // namespace lirabo
