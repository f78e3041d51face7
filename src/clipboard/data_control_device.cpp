#include "clipboard/data_control_device.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace lirabo {

namespace {

// The two protocols, request by request; the device below is written once
// against either.
struct TExtProtocol {
    using Manager = ext_data_control_manager_v1;
    using Device = ext_data_control_device_v1;
    using Offer = ext_data_control_offer_v1;
    using DeviceListener = ext_data_control_device_v1_listener;
    using OfferListener = ext_data_control_offer_v1_listener;
    static constexpr const char* kInterface = "ext_data_control_manager_v1";
    static constexpr std::uint32_t kVersion = 1;
    static const wl_interface* ManagerInterface() { return &ext_data_control_manager_v1_interface; }
    static Device* GetDevice(Manager* M, wl_seat* Seat) { return ext_data_control_manager_v1_get_data_device(M, Seat); }
    static void Listen(Device* D, const DeviceListener* L, void* Data) { ext_data_control_device_v1_add_listener(D, L, Data); }
    static void Listen(Offer* O, const OfferListener* L, void* Data) { ext_data_control_offer_v1_add_listener(O, L, Data); }
    static void Receive(Offer* O, const char* Type, int Fd) { ext_data_control_offer_v1_receive(O, Type, Fd); }
    static void Destroy(Manager* M) { ext_data_control_manager_v1_destroy(M); }
    static void Destroy(Device* D) { ext_data_control_device_v1_destroy(D); }
    static void Destroy(Offer* O) { ext_data_control_offer_v1_destroy(O); }
};

struct TWlrProtocol {
    using Manager = zwlr_data_control_manager_v1;
    using Device = zwlr_data_control_device_v1;
    using Offer = zwlr_data_control_offer_v1;
    using DeviceListener = zwlr_data_control_device_v1_listener;
    using OfferListener = zwlr_data_control_offer_v1_listener;
    static constexpr const char* kInterface = "zwlr_data_control_manager_v1";
    // Version 2 adds the primary selection.
    static constexpr std::uint32_t kVersion = 2;
    static const wl_interface* ManagerInterface() { return &zwlr_data_control_manager_v1_interface; }
    static Device* GetDevice(Manager* M, wl_seat* Seat) { return zwlr_data_control_manager_v1_get_data_device(M, Seat); }
    static void Listen(Device* D, const DeviceListener* L, void* Data) { zwlr_data_control_device_v1_add_listener(D, L, Data); }
    static void Listen(Offer* O, const OfferListener* L, void* Data) { zwlr_data_control_offer_v1_add_listener(O, L, Data); }
    static void Receive(Offer* O, const char* Type, int Fd) { zwlr_data_control_offer_v1_receive(O, Type, Fd); }
    static void Destroy(Manager* M) { zwlr_data_control_manager_v1_destroy(M); }
    static void Destroy(Device* D) { zwlr_data_control_device_v1_destroy(D); }
    static void Destroy(Offer* O) { zwlr_data_control_offer_v1_destroy(O); }
};

template <class P>
class TDeviceOf final : public TDataControlDevice {
public:
    TDeviceOf(wl_registry* Registry, std::uint32_t Name, std::uint32_t Version, wl_seat* Seat)
    {
        FManager = static_cast<typename P::Manager*>(
            wl_registry_bind(Registry, Name, P::ManagerInterface(), std::min(Version, P::kVersion)));
        FDevice = P::GetDevice(FManager, Seat);
        P::Listen(FDevice, &kDeviceListener, this);
    }

    ~TDeviceOf() override
    {
        for (auto& [offer, types] : FIntroduced)
            P::Destroy(offer);
        for (typename P::Offer* offer : FHeld)
            if (offer)
                P::Destroy(offer);
        P::Destroy(FDevice);
        P::Destroy(FManager);
    }

    bool Receive(TSelectionKind Kind, const std::string& MimeType, int Fd) override
    {
        typename P::Offer* offer = FHeld[Slot(Kind)];
        if (!offer)
            return false;
        P::Receive(offer, MimeType.c_str(), Fd);
        return true;
    }

private:
    static std::size_t Slot(TSelectionKind Kind) { return Kind == TSelectionKind::Clipboard ? 0 : 1; }

    static void Introduced(void* Data, typename P::Device*, typename P::Offer* Offer)
    {
        auto* self = static_cast<TDeviceOf*>(Data);
        self->FIntroduced[Offer];
        P::Listen(Offer, &kOfferListener, self);
    }

    static void Offered(void* Data, typename P::Offer* Offer, const char* MimeType)
    {
        auto* self = static_cast<TDeviceOf*>(Data);
        const auto it = self->FIntroduced.find(Offer);
        if (it == self->FIntroduced.end() || it->second.size() >= kMaxTypes)
            return;
        const std::size_t length = strnlen(MimeType, kMaxTypeLength + 1);
        if (length <= kMaxTypeLength)
            it->second.emplace_back(MimeType, length);
    }

    static void Selected(void* Data, typename P::Device*, typename P::Offer* Offer)
    {
        static_cast<TDeviceOf*>(Data)->Take(TSelectionKind::Clipboard, Offer);
    }

    static void PrimarySelected(void* Data, typename P::Device*, typename P::Offer* Offer)
    {
        static_cast<TDeviceOf*>(Data)->Take(TSelectionKind::Primary, Offer);
    }

    static void Finished(void* Data, typename P::Device*)
    {
        auto* self = static_cast<TDeviceOf*>(Data);
        if (self->OnFinished)
            self->OnFinished();
    }

    void Take(TSelectionKind Kind, typename P::Offer* Offer)
    {
        typename P::Offer*& held = FHeld[Slot(Kind)];
        if (held && held != Offer)
            P::Destroy(held);
        held = Offer;
        std::vector<std::string> types;
        if (Offer) {
            const auto it = FIntroduced.find(Offer);
            if (it != FIntroduced.end()) {
                types = std::move(it->second);
                FIntroduced.erase(it);
            }
        }
        if (OnSelection)
            OnSelection(Kind, types);
    }

    static constexpr typename P::DeviceListener kDeviceListener{&Introduced, &Selected, &Finished, &PrimarySelected};
    static constexpr typename P::OfferListener kOfferListener{&Offered};

    typename P::Manager* FManager = nullptr;
    typename P::Device* FDevice = nullptr;
    // Offers introduced, with their types, that are no selection yet.
    std::map<typename P::Offer*, std::vector<std::string>> FIntroduced;
    typename P::Offer* FHeld[2] = {nullptr, nullptr};
};

}  // namespace

int DataControlRank(const char* Interface)
{
    if (std::strcmp(Interface, TExtProtocol::kInterface) == 0)
        return 2;
    if (std::strcmp(Interface, TWlrProtocol::kInterface) == 0)
        return 1;
    return 0;
}

std::unique_ptr<TDataControlDevice> BindDataControl(wl_registry* Registry, std::uint32_t Name,
                                                    const char* Interface, std::uint32_t Version,
                                                    wl_seat* Seat)
{
    switch (DataControlRank(Interface)) {
        case 2:
            return std::make_unique<TDeviceOf<TExtProtocol>>(Registry, Name, Version, Seat);
        case 1:
            return std::make_unique<TDeviceOf<TWlrProtocol>>(Registry, Name, Version, Seat);
        default:
            return nullptr;
    }
}

}  // namespace lirabo
