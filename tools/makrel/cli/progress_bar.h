#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace makrel {

// A one-line progress bar on a terminal; silent when output is not a
// terminal, so scripts and logs stay clean. Redraws at most ten times a second.
class TProgressBar {
public:
    TProgressBar(std::ostream& Out, bool Terminal) : FOut(Out), FTerminal(Terminal) {}
    ~TProgressBar() { Finish(); }

    void Update(const std::string& Stage, size_t Done, size_t Total);
    void Finish();

private:
    std::ostream& FOut;
    bool FTerminal;
    bool FShown = false;
    std::chrono::steady_clock::time_point FLast{};
};

}  // namespace makrel
