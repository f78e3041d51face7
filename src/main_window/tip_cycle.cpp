#include "main_window/tip_cycle.h"

namespace lirabo {

int NextTip(int Current, int TipCount)
{
    // A stored index may be anything; past the end or below the start both
    // begin again at the first tip.
    if (Current < -1 || Current >= TipCount - 1)
        return 0;
    return Current + 1;
}

int PreviousTip(int Current, int TipCount)
{
    if (Current <= 0 || Current > TipCount)
        return TipCount - 1;
    return Current - 1;
}

}  // namespace lirabo
