#include "clipboard/data_control_connection.h"

#include <poll.h>
#include <wayland-client.h>

#include <cerrno>
#include <chrono>

namespace lirabo {

TDataControlConnection::~TDataControlConnection()
{
    FDevice.reset();
    if (FListed)
        wl_callback_destroy(FListed);
    if (FSeat)
        wl_seat_destroy(FSeat);
    if (FRegistry)
        wl_registry_destroy(FRegistry);
    if (FDisplay)
        wl_display_disconnect(FDisplay);
}

bool TDataControlConnection::Connect(const std::string& Display)
{
    if (FDisplay)
        return FState != TState::Broken;
    FDisplay = wl_display_connect(Display.empty() ? nullptr : Display.c_str());
    if (!FDisplay)
        return false;
    FState = TState::Connecting;
    FRegistry = wl_display_get_registry(FDisplay);
    static const wl_registry_listener registryListener{&Global, &GlobalRemoved};
    wl_registry_add_listener(FRegistry, &registryListener, this);
    // The compositor answers this after it has listed every global.
    static const wl_callback_listener listedListener{&Listed};
    FListed = wl_display_sync(FDisplay);
    wl_callback_add_listener(FListed, &listedListener, this);
    Flush();
    return FState != TState::Broken;
}

int TDataControlConnection::Descriptor() const
{
    return FDisplay ? wl_display_get_fd(FDisplay) : -1;
}

void TDataControlConnection::Global(void* Data, wl_registry*, std::uint32_t Name, const char* Interface,
                                    std::uint32_t Version)
{
    auto* self = static_cast<TDataControlConnection*>(Data);
    const std::string interface = Interface;
    if (interface == "wl_seat") {
        // The first seat: desktops have one, and copying happens on it.
        if (self->FSeatName == 0)
            self->FSeatName = Name;
        return;
    }
    const int rank = DataControlRank(Interface);
    if (rank > DataControlRank(self->FManagerInterface.c_str())) {
        self->FManagerName = Name;
        self->FManagerVersion = Version;
        self->FManagerInterface = interface;
    }
}

void TDataControlConnection::GlobalRemoved(void* Data, wl_registry*, std::uint32_t Name)
{
    auto* self = static_cast<TDataControlConnection*>(Data);
    if (Name == self->FSeatName || Name == self->FManagerName) {
        // The device goes inert with its seat; nothing more will come.
        self->FDevice.reset();
        if (self->FState == TState::Ready)
            self->FState = TState::Unsupported;
    }
}

void TDataControlConnection::Listed(void* Data, wl_callback* Callback, std::uint32_t)
{
    auto* self = static_cast<TDataControlConnection*>(Data);
    wl_callback_destroy(Callback);
    self->FListed = nullptr;
    if (self->FSeatName == 0 || self->FManagerName == 0) {
        self->FState = TState::Unsupported;
        return;
    }
    self->FSeat = static_cast<wl_seat*>(wl_registry_bind(self->FRegistry, self->FSeatName, &wl_seat_interface, 1));
    self->FDevice = BindDataControl(self->FRegistry, self->FManagerName, self->FManagerInterface.c_str(),
                                    self->FManagerVersion, self->FSeat);
    self->FState = self->FDevice ? TState::Ready : TState::Unsupported;
}

void TDataControlConnection::Break()
{
    FDevice.reset();
    FState = TState::Broken;
}

void TDataControlConnection::Flush()
{
    if (!FDisplay || FState == TState::Broken)
        return;
    if (wl_display_flush(FDisplay) < 0 && errno != EAGAIN)
        Break();
}

TDataControlConnection::TState TDataControlConnection::Dispatch()
{
    if (!FDisplay || FState == TState::Broken)
        return TState::Broken;
    // Events already read (by WaitUntilKnown, say) go first; then whatever
    // the socket holds, read without blocking.
    while (wl_display_prepare_read(FDisplay) != 0) {
        if (wl_display_dispatch_pending(FDisplay) < 0) {
            Break();
            return FState;
        }
    }
    if (wl_display_read_events(FDisplay) < 0 || wl_display_dispatch_pending(FDisplay) < 0) {
        Break();
        return FState;
    }
    Flush();
    return FState;
}

TDataControlConnection::TState TDataControlConnection::WaitUntilKnown(int TimeoutMs)
{
    using TClock = std::chrono::steady_clock;
    const auto deadline = TClock::now() + std::chrono::milliseconds(TimeoutMs);
    while (FState == TState::Connecting) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
        if (left <= 0)
            break;
        pollfd fd{Descriptor(), POLLIN, 0};
        const int ready = ::poll(&fd, 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR) {
            Break();
            break;
        }
        if (ready > 0)
            Dispatch();
    }
    return FState;
}

}  // namespace lirabo
