#include "dictionary_view/bidi_order.h"

#include <unicode/ubidi.h>

#include <algorithm>
#include <memory>
#include <numeric>

namespace lirabo {

namespace {

struct TBidiCloser {
    void operator()(UBiDi* Bidi) const { ubidi_close(Bidi); }
};

}  // namespace

void TBidiOrder::Order(std::u16string_view Text, std::span<const uint32_t> Starts)
{
    const size_t units = Starts.size();
    FUnitLevels.assign(units, 0);
    FVisual.resize(units);
    std::iota(FVisual.begin(), FVisual.end(), 0);
    if (units == 0 || Text.empty())
        return;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UBiDi, TBidiCloser> bidi(ubidi_open());
    if (!bidi)
        return;
    ubidi_setPara(bidi.get(), reinterpret_cast<const UChar*>(Text.data()), static_cast<int32_t>(Text.size()),
                  UBIDI_LTR, nullptr, &status);
    const UBiDiLevel* levels = U_SUCCESS(status) ? ubidi_getLevels(bidi.get(), &status) : nullptr;
    if (!levels || U_FAILURE(status))
        return;
    for (size_t k = 0; k < units; ++k) {
        const size_t begin = std::min<size_t>(Starts[k], Text.size());
        const size_t end = k + 1 < units ? std::min<size_t>(Starts[k + 1], Text.size()) : Text.size();
        // A shaped word takes its lowest level: its own order is the shaper's.
        UBiDiLevel level = begin < end ? levels[begin] : 0;
        for (size_t j = begin; j < end; ++j)
            level = std::min(level, levels[j]);
        FUnitLevels[k] = level;
    }
    ubidi_reorderVisual(FUnitLevels.data(), static_cast<int32_t>(units), FVisual.data());
}

}  // namespace lirabo
