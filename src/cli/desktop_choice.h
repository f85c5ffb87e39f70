#pragma once

#include <memory>

#include "cli/cli.h"
#include "pointer/pointer_settings.h"

namespace kz7::cli {

// The desktop whose pointer settings a command reads or writes, from
// --desktop (auto, gsettings, kde, sway, xinput, none; auto when absent).
// Nothing, with the reason printed, when that desktop cannot be reached.
std::unique_ptr<PointerBackend> ChooseDesktopBackend(CliContext& ctx);

// The option every command that writes or reads the desktop's settings takes.
inline constexpr CliOption kDesktopOption{"--desktop", "auto|gsettings|kde|sway|xinput|none",
                                          "the desktop whose settings are read or written (default auto)"};

// The notice of the settings a desktop lacks, as one "Info: ..." line on stderr.
PointerNotice StderrPointerNotice(CliContext& ctx);

}  // namespace kz7::cli
