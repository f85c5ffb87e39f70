#pragma once

#include "config/device_config.h"

namespace kz7 {

// The configuration a new installation starts from: the default buttons in
// both modes, 1000 Hz, four enabled DPI stages whose levels exist for every
// sensor type, full-brightness standard lighting with four loop colours, and
// the default pointer settings.
DeviceConfig StarterConfig();

}  // namespace kz7
