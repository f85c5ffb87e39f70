#include "platform/linux/precise_pauser.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

namespace kz7::linux_platform {

void PrecisePauser::Pause(std::chrono::milliseconds duration) {
    thread_local const bool slackSet = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
    (void)slackSet;
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const long long nanoseconds = static_cast<long long>(deadline.tv_nsec) + duration.count() * 1000000LL;
    deadline.tv_sec += static_cast<time_t>(nanoseconds / 1000000000LL);
    deadline.tv_nsec = static_cast<long>(nanoseconds % 1000000000LL);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

}  // namespace kz7::linux_platform
