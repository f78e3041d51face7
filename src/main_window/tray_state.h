#pragma once

namespace lirabo {

// When the window hides in the notification area and when it comes back.
// Pure bookkeeping: TfrmMain does what each answer says. The icon is never
// shown again after the desktop's panel restarts, and "ever added" stays
// true once an icon was shown, which is what tells a clipboard translation
// and the shutdown that an icon may need removing.
class TTrayState {
public:
    // The icon's mouse codes as the window receives them.
    static constexpr int kLeftButtonDown = 0x201;
    static constexpr int kLeftButtonDoubleClick = 0x203;
    static constexpr int kRightButtonDown = 0x204;
    static constexpr int kMiddleButtonDown = 0x207;

    // The window was minimised: true when it is to hide and show the icon,
    // which needs the setting and a notification area.
    bool Minimised(bool MinimizeToTray, bool TrayAvailable);
    // The icon reported Code: true when the window is to be restored and
    // brought forward and the icon removed (a left or right press; other
    // codes, double clicks included, do nothing, so a double click restores
    // on its first press).
    bool IconEvent(int Code);

    bool IconShown() const { return FShown; }
    bool EverAdded() const { return FEverAdded; }

private:
    bool FShown = false;
    bool FEverAdded = false;
};

}  // namespace lirabo
