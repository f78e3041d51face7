#include "main_window/window_fit.h"

#include <algorithm>

namespace lirabo {

namespace {

// Larger than any screen there is, small enough for a backing store.
constexpr int kNoScreenSide = 16384;

// The start of a span of Length within [Low, Low + Room): moved the least
// that keeps it inside, its start kept in view when it cannot fit.
int FitSpan(int Start, int Length, int Low, int Room)
{
    const qint64 high = qint64(Low) + Room - Length;
    return int(std::max<qint64>(Low, std::min<qint64>(Start, high)));
}

}  // namespace

QRect FitOnScreen(QPoint Place, QSize Size, const QRect& Available, QSize Minimum)
{
    // Without a screen to measure against (none attached yet), only a size
    // too small to see or too large to hold is refused.
    const QRect area = Available.isValid() ? Available : QRect(0, 0, kNoScreenSide, kNoScreenSide);
    const int width = std::max(std::min(Size.width(), area.width()), Minimum.width());
    const int height = std::max(std::min(Size.height(), area.height()), Minimum.height());
    return QRect(FitSpan(Place.x(), width, area.x(), area.width()),
                 FitSpan(Place.y(), height, area.y(), area.height()), width, height);
}

}  // namespace lirabo
