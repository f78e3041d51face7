// Asks the compositor for an activation token, as a launcher does for the
// program it starts, and prints it: the second start of the suite hands it
// to the running window.
//
//   activation_token

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "xdg-activation-v1-client-protocol.h"

namespace {

struct TState {
    xdg_activation_v1* Activation = nullptr;
    std::string Token;
    bool Done = false;
};

void Global(void* Data, wl_registry* Registry, uint32_t Name, const char* Interface, uint32_t)
{
    if (std::strcmp(Interface, xdg_activation_v1_interface.name) == 0)
        static_cast<TState*>(Data)->Activation =
            static_cast<xdg_activation_v1*>(wl_registry_bind(Registry, Name, &xdg_activation_v1_interface, 1));
}

void Issued(void* Data, xdg_activation_token_v1*, const char* Token)
{
    auto* state = static_cast<TState*>(Data);
    state->Token = Token;
    state->Done = true;
}

}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "activation_token: no Wayland compositor\n");
        return 1;
    }
    TState state;
    static const wl_registry_listener registryListener{&Global, [](void*, wl_registry*, uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &state);
    wl_display_roundtrip(display);
    if (!state.Activation) {
        std::fprintf(stderr, "activation_token: the compositor has no activation protocol\n");
        return 1;
    }
    xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(state.Activation);
    static const xdg_activation_token_v1_listener tokenListener{&Issued};
    xdg_activation_token_v1_add_listener(token, &tokenListener, &state);
    xdg_activation_token_v1_set_app_id(token, "lirabo");
    xdg_activation_token_v1_commit(token);
    while (!state.Done && wl_display_dispatch(display) >= 0) {
    }
    std::printf("%s\n", state.Token.c_str());
    std::fflush(stdout);
    xdg_activation_token_v1_destroy(token);
    xdg_activation_v1_destroy(state.Activation);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return state.Done ? 0 : 1;
}
