#pragma once

// The main window's frame, shared by both settings pages.

#include "skins/hot_zone.h"

namespace kz7::frame {

inline constexpr HotZone kOk{513, 609, 618, 630};
inline constexpr HotZone kApply{617, 609, 722, 630};
inline constexpr HotZone kCancel{721, 609, 826, 630};
inline constexpr HotZone kSkins{701, 5, 719, 23};
inline constexpr HotZone kMinimise{825, 5, 843, 23};
inline constexpr HotZone kClose{850, 5, 868, 23};
inline constexpr HotZone kBasicTab{20, 55, 60, 95};
inline constexpr HotZone kAdvancedTab{70, 55, 110, 95};
inline constexpr HotZone kWebLink{265, 627, 449, 647};
inline constexpr HotZone kPageTitle{120, 50, 352, 100};

}  // namespace kz7::frame
