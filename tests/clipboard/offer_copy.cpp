// Another program's copy with any types: takes the clipboard (or, with
// --primary, the primary selection) through the data-control protocol and
// hands each TYPE its VALUE until something else takes it. The copy tools
// of the desktop offer one type at a time; this offers a password
// manager's hint beside the text, or a type of Lirabo's own.
//
//   offer_copy [--primary] TYPE VALUE [TYPE VALUE]...

#include <unistd.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace {

struct TState {
    std::vector<std::pair<std::string, std::string>> Offers;
    zwlr_data_control_manager_v1* Manager = nullptr;
    wl_seat* Seat = nullptr;
    bool Cancelled = false;
};

void Global(void* Data, wl_registry* Registry, uint32_t Name, const char* Interface, uint32_t Version)
{
    auto* state = static_cast<TState*>(Data);
    if (std::strcmp(Interface, "wl_seat") == 0 && !state->Seat)
        state->Seat = static_cast<wl_seat*>(wl_registry_bind(Registry, Name, &wl_seat_interface, 1));
    else if (std::strcmp(Interface, zwlr_data_control_manager_v1_interface.name) == 0)
        state->Manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(Registry, Name, &zwlr_data_control_manager_v1_interface, Version < 2 ? Version : 2));
}

void Send(void* Data, zwlr_data_control_source_v1*, const char* Type, int32_t Fd)
{
    for (const auto& [type, value] : static_cast<TState*>(Data)->Offers)
        if (type == Type) {
            std::size_t sent = 0;
            while (sent < value.size()) {
                const ssize_t n = ::write(Fd, value.data() + sent, value.size() - sent);
                if (n <= 0)
                    break;
                sent += static_cast<std::size_t>(n);
            }
        }
    ::close(Fd);
}

void Cancelled(void* Data, zwlr_data_control_source_v1*)
{
    static_cast<TState*>(Data)->Cancelled = true;
}

}  // namespace

int main(int argc, char** argv)
{
    TState state;
    bool primary = false;
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--primary") == 0) {
        primary = true;
        first = 2;
    }
    if ((argc - first) % 2 != 0 || argc == first) {
        std::fprintf(stderr, "usage: offer_copy [--primary] TYPE VALUE [TYPE VALUE]...\n");
        return 2;
    }
    for (int i = first; i < argc; i += 2)
        state.Offers.emplace_back(argv[i], argv[i + 1]);
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "offer_copy: no Wayland compositor\n");
        return 1;
    }
    static const wl_registry_listener registryListener{&Global, [](void*, wl_registry*, uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &state);
    wl_display_roundtrip(display);
    if (!state.Manager || !state.Seat) {
        std::fprintf(stderr, "offer_copy: the compositor has no data-control protocol\n");
        return 1;
    }
    zwlr_data_control_device_v1* device = zwlr_data_control_manager_v1_get_data_device(state.Manager, state.Seat);
    zwlr_data_control_source_v1* source = zwlr_data_control_manager_v1_create_data_source(state.Manager);
    static const zwlr_data_control_source_v1_listener sourceListener{&Send, &Cancelled};
    zwlr_data_control_source_v1_add_listener(source, &sourceListener, &state);
    for (const auto& offer : state.Offers)
        zwlr_data_control_source_v1_offer(source, offer.first.c_str());
    if (primary)
        zwlr_data_control_device_v1_set_primary_selection(device, source);
    else
        zwlr_data_control_device_v1_set_selection(device, source);
    // Ready once the compositor has the selection; the caller may go on.
    wl_display_roundtrip(display);
    std::printf("ready\n");
    std::fflush(stdout);
    while (!state.Cancelled && wl_display_dispatch(display) >= 0) {
    }
    zwlr_data_control_source_v1_destroy(source);
    zwlr_data_control_device_v1_destroy(device);
    zwlr_data_control_manager_v1_destroy(state.Manager);
    wl_seat_destroy(state.Seat);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
