#pragma once

#include <QIcon>

namespace lirabo {

// The window's small button images, drawn in code so that they stay sharp at
// every scale and need no image files.
enum class TIconKind {
    Lookup, Wildcard, Clipboard, OnTop, Next, Previous, Close, Application,
    NewList, OpenList, SaveList, Shuffle, HideList, Home,
};

QIcon MakeIcon(TIconKind Kind);

}  // namespace lirabo
