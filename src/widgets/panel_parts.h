#pragma once

#include "widgets/icons.h"

class QLabel;
class QToolButton;
class QWidget;

namespace lirabo {

// A square, borderless image button of Size pixels that takes no keyboard
// focus: the small buttons of the panels, which all have a menu command or
// key beside them.
QToolButton* MakeFlatButton(QWidget* Parent, TIconKind Icon, int Size, const char* Name);

// A panel's caption: a label in the bold form of its own font.
QLabel* MakeCaptionLabel(QWidget* Parent, const char* Name);

}  // namespace lirabo
