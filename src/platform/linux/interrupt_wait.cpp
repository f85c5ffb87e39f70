#include "platform/linux/interrupt_wait.h"

#include <csignal>
#include <ctime>
#include <pthread.h>

namespace kz7::linux_platform {

namespace {

sigset_t InterruptSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

void BlockInterruptSignals() {
    const sigset_t set = InterruptSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

bool WaitForInterrupt(std::chrono::milliseconds limit) {
    const sigset_t set = InterruptSet();
    if (limit.count() < 0) {
        int signal = 0;
        return sigwait(&set, &signal) == 0;
    }
    timespec timeout{};
    timeout.tv_sec = static_cast<time_t>(limit.count() / 1000);
    timeout.tv_nsec = static_cast<long>((limit.count() % 1000) * 1000000);
    return sigtimedwait(&set, nullptr, &timeout) > 0;
}

}  // namespace kz7::linux_platform
