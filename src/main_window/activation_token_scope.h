#pragma once

#include <QByteArray>
#include <QString>

namespace lirabo {

// Wayland lets a window come to the front only with an activation token the
// desktop gave the launch that asked for it. Qt's Wayland shell takes the
// token from XDG_ACTIVATION_TOKEN when a window asks to be activated, and
// unsets it there once used. This puts Token there for the life of the
// scope, and takes it away again at its end whether or not it was used, so
// that no later activation and no program started afterwards gets a token
// that was not meant for it. An empty token, or a platform other than
// Wayland, leaves the environment as it is.
class TActivationTokenScope {
public:
    explicit TActivationTokenScope(const QString& Token, bool Wayland = OnWayland());
    ~TActivationTokenScope();
    TActivationTokenScope(const TActivationTokenScope&) = delete;
    TActivationTokenScope& operator=(const TActivationTokenScope&) = delete;

    static bool OnWayland();

private:
    QByteArray FToken;  // the one put in place; empty when none was
};

}  // namespace lirabo
