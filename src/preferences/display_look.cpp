#include "preferences/display_look.h"

#include <algorithm>

namespace lirabo {

int BoundFontSize(int Size)
{
    if (Size < TDisplayLook::kMinFontSize)
        return TDisplayLook().FontSize;
    return std::min(Size, TDisplayLook::kMaxFontSize);
}

TColor BoundColor(long long Value, TColor Default)
{
    return Value >= 0 && Value <= 0xFFFFFF ? static_cast<TColor>(Value) : Default;
}

}  // namespace lirabo
