#pragma once

#include <chrono>

#include "device/pauser.h"

namespace kz7::linux_platform {

// Sleeps the protocol's pauses with as little oversleep as the kernel allows:
// the calling thread's timer slack is cut to 1 ns (it defaults to 50 us, paid
// on every one of the eighty pauses of an apply) and each pause sleeps to an
// absolute deadline. Never returns early, never spins.
class PrecisePauser : public Pauser {
public:
    void Pause(std::chrono::milliseconds duration) override;
};

}  // namespace kz7::linux_platform
