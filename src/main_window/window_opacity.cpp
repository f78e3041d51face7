#include "main_window/window_opacity.h"

namespace lirabo {

namespace {
constexpr int kStep = 20;
}

TOpacity MoreTransparent(TOpacity Opacity)
{
    Opacity.Blending = true;
    Opacity.Alpha = Opacity.Alpha <= kStep ? 0 : Opacity.Alpha - kStep;
    return Opacity;
}

TOpacity LessTransparent(TOpacity Opacity)
{
    if (Opacity.Alpha <= 255 - kStep - 1)
        Opacity.Alpha += kStep;
    else
        Opacity = TOpacity{255, false};
    return Opacity;
}

double WindowOpacityOf(TOpacity Opacity)
{
    return Opacity.Blending ? Opacity.Alpha / 255.0 : 1.0;
}

}  // namespace lirabo
