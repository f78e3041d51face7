#include "makrel/cli/progress_bar.h"

namespace makrel {

namespace {

constexpr int kWidth = 30;  // characters of the bar itself
constexpr auto kInterval = std::chrono::milliseconds(100);

}  // namespace

void TProgressBar::Update(const std::string& Stage, size_t Done, size_t Total)
{
    if (!FTerminal || Total == 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (FShown && Done < Total && now - FLast < kInterval)
        return;
    FLast = now;
    const size_t percent = Done >= Total ? 100 : Done * 100 / Total;
    const int filled = static_cast<int>(percent * kWidth / 100);
    FOut << '\r' << Stage << " [" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << percent << "%  " << std::flush;
    FShown = true;
}

void TProgressBar::Finish()
{
    if (FShown)
        FOut << "\r\033[K" << std::flush;
    FShown = false;
}

}  // namespace makrel
