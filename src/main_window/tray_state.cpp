#include "main_window/tray_state.h"

namespace lirabo {

bool TTrayState::Minimised(bool MinimizeToTray, bool TrayAvailable)
{
    if (!MinimizeToTray || !TrayAvailable)
        return false;
    FShown = true;
    FEverAdded = true;
    return true;
}

bool TTrayState::IconEvent(int Code)
{
    if (Code != kLeftButtonDown && Code != kRightButtonDown)
        return false;
    FShown = false;
    return true;
}

}  // namespace lirabo
