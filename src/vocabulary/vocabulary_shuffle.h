#pragma once

#include <QStringList>
#include <functional>

namespace lirabo {

// Reorders Lines at random with a quicksort whose comparison ignores the
// rows and draws -2, -1 or 0 (never a positive value): Draw returns 0, 1 or
// 2, each as likely. The order is random, not uniformly so; the list keeps
// the same rows. With fewer than two rows nothing changes.
void ShuffleRows(QStringList& Lines, const std::function<int()>& Draw);

// The same with a generator seeded from the clock.
void ShuffleRows(QStringList& Lines);

}  // namespace lirabo
