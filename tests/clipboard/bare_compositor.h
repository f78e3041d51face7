#pragma once

#include <wayland-server-core.h>

#include <atomic>
#include <string>
#include <thread>

namespace lirabo {

// A compositor with no globals at all, served on a thread of its own at
// the socket path given: to a clipboard manager, a desktop that refuses.
class TBareCompositor {
public:
    explicit TBareCompositor(const std::string& Socket) : FDisplay(wl_display_create())
    {
        FListening = wl_display_add_socket(FDisplay, Socket.c_str()) == 0;
        FThread = std::thread([this] {
            wl_event_loop* loop = wl_display_get_event_loop(FDisplay);
            while (!FStop) {
                wl_event_loop_dispatch(loop, 20);
                wl_display_flush_clients(FDisplay);
            }
        });
    }
    ~TBareCompositor()
    {
        FStop = true;
        FThread.join();
        wl_display_destroy(FDisplay);
    }
    bool Listening() const { return FListening; }

private:
    wl_display* FDisplay;
    bool FListening = false;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

}  // namespace lirabo
