#include "skins/hot_zones.h"

#include <algorithm>

namespace kz7 {
namespace {

using Id = HoverZoneId;
using Kind = HoverKind;
using Group = HoverGroup;

constexpr HoverZone kFrameOk{Id::Ok, frame::kOk, Kind::TextButton, Group::OkApplyCancel};
constexpr HoverZone kFrameApply{Id::Apply, frame::kApply, Kind::TextButton, Group::OkApplyCancel};
constexpr HoverZone kFrameCancel{Id::Cancel, frame::kCancel, Kind::TextButton, Group::OkApplyCancel};
constexpr HoverZone kFrameSkins{Id::Skins, frame::kSkins, Kind::SkinsButton, Group::None};
constexpr HoverZone kFrameMinimise{Id::Minimise, frame::kMinimise, Kind::MinimiseButton, Group::None};
constexpr HoverZone kFrameClose{Id::Close, frame::kClose, Kind::CloseButton, Group::None};
constexpr HoverZone kFrameBasicTab{Id::BasicTab, frame::kBasicTab, Kind::BasicTab, Group::None};
constexpr HoverZone kFrameAdvancedTab{Id::AdvancedTab, frame::kAdvancedTab, Kind::AdvancedTab,
                                      Group::None};

constexpr HoverZone FunctionBoxZone(int i) {
    return {static_cast<Id>(static_cast<int>(Id::FunctionBox1) + i), basic::FunctionBox(i),
            Kind::FunctionBox, Group::FunctionBoxes};
}

constexpr std::array kBasicPageZones{
    kFrameOk, kFrameApply, kFrameCancel, kFrameSkins, kFrameMinimise, kFrameClose,
    kFrameBasicTab, kFrameAdvancedTab,
    HoverZone{Id::BasicDefault, basic::kDefault, Kind::TextButton, Group::None},
    FunctionBoxZone(0), FunctionBoxZone(1), FunctionBoxZone(2), FunctionBoxZone(3),
    FunctionBoxZone(4), FunctionBoxZone(5),
};

constexpr std::array kAdvancedPageZones{
    kFrameOk, kFrameApply, kFrameCancel, kFrameSkins, kFrameMinimise, kFrameClose,
    kFrameBasicTab, kFrameAdvancedTab,
    HoverZone{Id::AdvancedDefault, advanced::kDefault, Kind::TextButton, Group::None},
    HoverZone{Id::MacroNew, advanced::kMacroNew, Kind::TextButton, Group::MacroButtons},
    HoverZone{Id::MacroDelete, advanced::kMacroDelete, Kind::TextButton, Group::MacroButtons},
    HoverZone{Id::MacroConfirm, advanced::kMacroConfirm, Kind::TextButton, Group::MacroButtons},
};

constexpr std::array kSubDialogZones{
    HoverZone{Id::DialogClose, dialog::kClose, Kind::CloseButton, Group::None},
    HoverZone{Id::DialogOk, dialog::kOk, Kind::TextButton, Group::DialogOkCancel},
    HoverZone{Id::DialogCancel, dialog::kCancel, Kind::TextButton, Group::DialogOkCancel},
};

// Every zone once, indexed by its id.
constexpr std::array<HoverZone, kHoverZoneCount> kAllZones{
    kFrameOk, kFrameApply, kFrameCancel, kFrameSkins, kFrameMinimise, kFrameClose,
    kFrameBasicTab, kFrameAdvancedTab,
    kBasicPageZones[8], kBasicPageZones[9], kBasicPageZones[10], kBasicPageZones[11],
    kBasicPageZones[12], kBasicPageZones[13], kBasicPageZones[14],
    kAdvancedPageZones[8], kAdvancedPageZones[9], kAdvancedPageZones[10], kAdvancedPageZones[11],
    kSubDialogZones[0], kSubDialogZones[1], kSubDialogZones[2],
};

constexpr bool IdsMatchPositions() {
    for (std::size_t i = 0; i < kAllZones.size(); ++i) {
        if (static_cast<std::size_t>(kAllZones[i].id) != i) return false;
    }
    return true;
}
static_assert(IdsMatchPositions(), "kAllZones must be ordered by HoverZoneId");

}  // namespace

HoverImages ImagesFor(HoverKind kind) {
    switch (kind) {
        case Kind::TextButton: return {"/button-normal.png", "/button-over.png"};
        case Kind::FunctionBox: return {"/DropdownBox-normal.png", "/DropdownBox-over.png"};
        case Kind::SkinsButton: return {"/button-Skins-normal.png", "/button-Skins-over.png"};
        case Kind::MinimiseButton: return {"/button-min-normal.png", "/button-min-over.png"};
        case Kind::CloseButton: return {"/button-close-normal.png", "/button-close-over.png"};
        case Kind::BasicTab: return {"/button-PrePage-normal.png", "/button-PrePage-over.png"};
        case Kind::AdvancedTab: return {"/button-NextPage-normal.png", "/button-NextPage-over.png"};
    }
    return {};
}

std::span<const HoverZone> HoverZonesOf(HoverSurface surface) {
    switch (surface) {
        case HoverSurface::BasicPage: return kBasicPageZones;
        case HoverSurface::AdvancedPage: return kAdvancedPageZones;
        case HoverSurface::SubDialog: return kSubDialogZones;
    }
    return {};
}

const HoverZone* HoverZoneAt(HoverSurface surface, int x, int y) {
    for (const HoverZone& zone : HoverZonesOf(surface)) {
        if (zone.rect.Contains(x, y)) return &zone;
    }
    return nullptr;
}

const HoverZone& HoverZoneById(HoverZoneId id) { return kAllZones[static_cast<std::size_t>(id)]; }

bool HoverFlags::AnySet() const {
    return std::any_of(flags_.begin(), flags_.end(), [](bool flag) { return flag; });
}

HoverFlags::Redraw HoverFlags::OnHover(HoverSurface surface, int x, int y) {
    Redraw redraw;
    const HoverZone* zone = HoverZoneAt(surface, x, y);
    if (zone == nullptr || IsSet(zone->id)) return redraw;
    if (zone->group != Group::None) {
        for (const HoverZone& other : kAllZones) {
            if (other.group == zone->group && other.id != zone->id && IsSet(other.id)) {
                flags_[static_cast<std::size_t>(other.id)] = false;
                redraw.toNormal.push_back(other.id);
            }
        }
    }
    flags_[static_cast<std::size_t>(zone->id)] = true;
    redraw.toOver = zone->id;
    return redraw;
}

HoverFlags::Redraw HoverFlags::OnMove(HoverSurface surface, int x, int y) {
    Redraw redraw;
    if (HoverZoneAt(surface, x, y) != nullptr) return redraw;
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        if (flags_[i]) {
            flags_[i] = false;
            redraw.toNormal.push_back(static_cast<HoverZoneId>(i));
        }
    }
    return redraw;
}

}  // namespace kz7
