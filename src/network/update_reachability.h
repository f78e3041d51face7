#pragma once

namespace lirabo::network {

// True only when the platform positively reports that the machine is
// offline. Where it cannot tell (no network information backend, as on a
// machine without a network manager, or an unknown state) this is false, so
// the automatic update check runs and fails on its own if it must.
bool PlatformReportsOffline();

}  // namespace lirabo::network
