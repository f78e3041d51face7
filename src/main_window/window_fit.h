#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace lirabo {

// A window of Size at Place brought onto Available, the screen area free of panels: a side
// longer than the area's is cut to it, never below Minimum, and the window
// is moved the least that puts it inside. Stored sizes and places come from
// settings and presets that another screen or a damaged file wrote; a
// window larger than every screen cannot be used, and a huge one costs
// memory for a backing store of its whole size.
// Place and Size come apart because stored values may be any int, whose sum
// a QRect could not hold.
QRect FitOnScreen(QPoint Place, QSize Size, const QRect& Available, QSize Minimum);

}  // namespace lirabo
