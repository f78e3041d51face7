// Times a program's start as a person sees it: from exec to the X server
// mapping its first top-level window (or, with --exit, to the program's
// exit, for a start that hands its work to a running copy). Runs the command
// N times under the current DISPLAY and prints the median and the 95th
// percentile. Not a test: a tool for before-and-after figures.
//
//   map_time [--runs N] [--exit] -- COMMAND [ARGUMENT ...]

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double Percentile(std::vector<double> Values, double Fraction)
{
    std::sort(Values.begin(), Values.end());
    const size_t index =
        std::min(Values.size() - 1, static_cast<size_t>(Fraction * (Values.size() - 1) + 0.5));
    return Values[index];
}

pid_t Start(char** Command)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp(Command[0], Command);
        std::perror(Command[0]);
        std::_Exit(127);
    }
    return child;
}

// Milliseconds until the first MapNotify on the root window, or -1.
double WaitForMap(xcb_connection_t* Connection, TClock::time_point Start, pid_t Child)
{
    const int fd = xcb_get_file_descriptor(Connection);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(Connection)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped)
                return std::chrono::duration<double, std::milli>(TClock::now() - Start).count();
        }
        int status = 0;
        if (::waitpid(Child, &status, WNOHANG) == Child)
            return -1;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        timeval wait{0, 2000};
        ::select(fd + 1, &set, nullptr, nullptr, &wait);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 21;
    bool untilExit = false;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--exit"))
            untilExit = true;
    }
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: map_time [--runs N] [--exit] -- COMMAND [ARGUMENT ...]\n");
        return 2;
    }
    char** command = argv + i + 1;

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (!untilExit) {
        if (xcb_connection_has_error(connection)) {
            std::fprintf(stderr, "map_time: no X display\n");
            return 2;
        }
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
    }

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = TClock::now();
        const pid_t child = Start(command);
        double ms = -1;
        int status = 0;
        if (untilExit) {
            ::waitpid(child, &status, 0);
            ms = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                std::fprintf(stderr, "map_time: run %d ended with status %d\n", run, status);
                ms = -1;
            }
        } else {
            ms = WaitForMap(connection, start, child);
            ::kill(child, SIGTERM);
            ::waitpid(child, &status, 0);
        }
        if (ms >= 0)
            times.push_back(ms);
        ::usleep(100 * 1000);  // let the server and the settings file settle
    }
    if (connection)
        xcb_disconnect(connection);
    if (times.empty()) {
        std::fprintf(stderr, "map_time: no run finished\n");
        return 1;
    }
    std::printf("runs %zu  median %.1f ms  p95 %.1f ms  min %.1f ms\n", times.size(), Percentile(times, 0.5),
                Percentile(times, 0.95), *std::min_element(times.begin(), times.end()));
    return 0;
}
