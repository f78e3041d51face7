#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct wl_registry;
struct wl_seat;

namespace lirabo {

enum class TSelectionKind { Clipboard, Primary };

// One seat's clipboard and primary selection as a clipboard manager sees
// them: told of every new selection, whichever program holds it and whether
// or not one of our windows is active. Compositors speak one of two
// protocols for it, the standard one and the older one of the wlroots
// desktops; they differ in names only, and this hides which one it is.
class TDataControlDevice {
public:
    // A selection offering more types than this is still reported, with
    // the first ones: the list comes from another program.
    static constexpr std::size_t kMaxTypes = 64;
    static constexpr std::size_t kMaxTypeLength = 256;

    virtual ~TDataControlDevice() = default;

    // Asks the program holding the selection to write it, as MimeType, to
    // Fd (the caller keeps and closes its own copy). False when nothing is
    // held at present.
    virtual bool Receive(TSelectionKind Kind, const std::string& MimeType, int Fd) = 0;

    // A new selection, with the types it is offered in; no types: nothing
    // is held. The first of each comes at once, for what is held already.
    std::function<void(TSelectionKind Kind, const std::vector<std::string>& MimeTypes)> OnSelection;
    // The compositor took the device away (its seat has gone).
    std::function<void()> OnFinished;
};

// Whether Interface names a data-control manager we can use; the higher
// the rank, the better (0: not one).
int DataControlRank(const char* Interface);

// Binds the manager global Name (an Interface of non-zero rank, offered at
// Version) and makes the device of Seat.
std::unique_ptr<TDataControlDevice> BindDataControl(wl_registry* Registry, std::uint32_t Name,
                                                    const char* Interface, std::uint32_t Version,
                                                    wl_seat* Seat);

}  // namespace lirabo
