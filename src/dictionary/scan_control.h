#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "dictionary/exceptions.h"

namespace lirabo {

// Lets another thread stop a whole-dictionary scan and follow it. The scan
// looks at Stop between sections (and every few thousand entries of a list),
// so it stops within one section's decoding; it then raises EScanStopped
// and leaves the store as it was before the scan.
struct TScanControl {
    std::atomic<bool> Stop{false};
    // Called on the scanning thread as the scan moves on: Done of Total
    // units (sections of a file, entries of a list) are searched.
    std::function<void(int64_t Done, int64_t Total)> OnProgress;
};

// Raises EScanStopped when Control (may be null) asks the scan to stop.
inline void CheckStop(const TScanControl* Control)
{
    if (Control && Control->Stop.load(std::memory_order_relaxed))
        throw EScanStopped();
}

inline void ReportProgress(const TScanControl* Control, int64_t Done, int64_t Total)
{
    if (Control && Control->OnProgress)
        Control->OnProgress(Done, Total);
}

}  // namespace lirabo
