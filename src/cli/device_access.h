#pragma once

// What commands other than the device commands need of the mouse.

#include <cstdint>
#include <optional>

#include "cli/cli.h"

namespace kz7::cli {

// The data folder's config.bin and labels to the mouse, as `kz7ctl apply`
// does: the exit status, every failure reported.
int ApplySavedConfig(CliContext& ctx);

// The sensor type of the connected (or simulated) mouse, after its status
// exchange; nothing, with the reason printed, when no mouse answers.
std::optional<std::uint8_t> ConnectedSensorType(CliContext& ctx);

}  // namespace kz7::cli
