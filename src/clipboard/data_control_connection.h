#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "clipboard/data_control_device.h"

struct wl_callback;
struct wl_display;
struct wl_registry;
struct wl_seat;

namespace lirabo {

// A connection of our own to the Wayland compositor, beside the one the
// window toolkit keeps, for the clipboard manager's view of the selections.
// It never waits on the compositor unless asked to (WaitUntilKnown): the
// owner watches Descriptor() and calls Dispatch() when it is readable.
class TDataControlConnection {
public:
    enum class TState {
        Connecting,   // the compositor has not listed its globals yet
        Ready,        // Device() watches the selections
        Unsupported,  // the compositor has no data-control protocol (or no seat)
        Broken,       // the connection failed or the compositor went away
    };

    TDataControlConnection() = default;
    TDataControlConnection(const TDataControlConnection&) = delete;
    TDataControlConnection& operator=(const TDataControlConnection&) = delete;
    ~TDataControlConnection();

    // Connects to Display, named as WAYLAND_DISPLAY names it (a socket in
    // XDG_RUNTIME_DIR, or an absolute path); empty: WAYLAND_DISPLAY's.
    // False when no compositor answers there.
    bool Connect(const std::string& Display = std::string());

    int Descriptor() const;
    TState State() const { return FState; }
    // Non-null while Ready.
    TDataControlDevice* Device() const { return FDevice.get(); }

    // Handles whatever the compositor has sent, without waiting for more,
    // and sends what is queued.
    TState Dispatch();
    // Sends queued requests; a full socket is not an error, the rest goes
    // with the next Dispatch().
    void Flush();
    // Waits at most TimeoutMs for the list of globals, for a decision that
    // cannot wait for the event loop (made before the window exists).
    TState WaitUntilKnown(int TimeoutMs);

private:
    static void Global(void* Data, wl_registry* Registry, std::uint32_t Name, const char* Interface,
                       std::uint32_t Version);
    static void GlobalRemoved(void* Data, wl_registry* Registry, std::uint32_t Name);
    static void Listed(void* Data, wl_callback* Callback, std::uint32_t Serial);
    void Break();

    wl_display* FDisplay = nullptr;
    wl_registry* FRegistry = nullptr;
    wl_callback* FListed = nullptr;
    wl_seat* FSeat = nullptr;
    std::uint32_t FSeatName = 0;
    std::uint32_t FManagerName = 0;
    std::uint32_t FManagerVersion = 0;
    std::string FManagerInterface;
    std::unique_ptr<TDataControlDevice> FDevice;
    TState FState = TState::Broken;
};

}  // namespace lirabo
