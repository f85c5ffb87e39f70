#pragma once

#include <chrono>

namespace kz7::linux_platform {

// Blocks SIGINT and SIGTERM for the process (call before starting threads),
// so that WaitForInterrupt can take them.
void BlockInterruptSignals();
// Sleeps until SIGINT or SIGTERM arrives or `limit` has passed (negative:
// no limit). True when a signal ended the wait.
bool WaitForInterrupt(std::chrono::milliseconds limit);

}  // namespace kz7::linux_platform
