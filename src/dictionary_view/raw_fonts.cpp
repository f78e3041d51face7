#include "dictionary_view/raw_fonts.h"

#include <limits>

namespace lirabo {

uint16_t TRawFonts::Add(const QRawFont& Font)
{
    for (size_t i = 0; i < FFonts.size(); ++i)
        if (FFonts[i] == Font)
            return static_cast<uint16_t>(i);
    // So many fonts never happen; the last one stands in rather than wrapping.
    if (FFonts.size() >= std::numeric_limits<uint16_t>::max())
        return static_cast<uint16_t>(FFonts.size() - 1);
    FFonts.push_back(Font);
    return static_cast<uint16_t>(FFonts.size() - 1);
}

const QRawFont& TRawFonts::At(uint16_t Index) const
{
    static const QRawFont none;
    return Index < FFonts.size() ? FFonts[Index] : none;
}

}  // namespace lirabo
