#pragma once

namespace lirabo {

// Paging through the tips of the day: tip i (from 0) is key i + 1 of the
// language file's "Tips" section. Both wrap around; with no tips at all they
// give an index whose key is missing, which shows the empty text.
int NextTip(int Current, int TipCount);
int PreviousTip(int Current, int TipCount);

}  // namespace lirabo
