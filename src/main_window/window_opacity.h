#pragma once

namespace lirabo {

// The window's opacity, 0 (invisible) to 255 (opaque), and whether blending
// is on; a window starts opaque with blending off. Each step is 20.
struct TOpacity {
    int Alpha = 255;
    bool Blending = false;

    friend bool operator==(const TOpacity&, const TOpacity&) = default;
};

// Blending on; 20 or less goes to 0, otherwise 20 less.
TOpacity MoreTransparent(TOpacity Opacity);
// 234 or less rises by 20; above that the window is opaque with blending off.
TOpacity LessTransparent(TOpacity Opacity);
// What the window shows: 1.0 whenever blending is off.
double WindowOpacityOf(TOpacity Opacity);

}  // namespace lirabo
