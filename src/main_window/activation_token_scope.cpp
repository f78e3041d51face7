#include "main_window/activation_token_scope.h"

#include <QGuiApplication>

namespace lirabo {

namespace {

constexpr char kVariable[] = "XDG_ACTIVATION_TOKEN";

}  // namespace

TActivationTokenScope::TActivationTokenScope(const QString& Token, bool Wayland)
{
    if (!Wayland || Token.isEmpty())
        return;
    FToken = Token.toLatin1();
    qputenv(kVariable, FToken);
}

TActivationTokenScope::~TActivationTokenScope()
{
    if (FToken.isEmpty())
        return;
    // Unused, the token would be the next activation's, whoever asked for it.
    qunsetenv(kVariable);
}

bool TActivationTokenScope::OnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace lirabo
