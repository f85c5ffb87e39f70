#pragma once

#include <chrono>
#include <thread>
#include <vector>

namespace kz7 {

// The protocol's fixed pauses, behind a seam so tests can record them.
class Pauser {
public:
    virtual ~Pauser() = default;
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

class SleepingPauser : public Pauser {
public:
    void Pause(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};

class RecordingPauser : public Pauser {
public:
    void Pause(std::chrono::milliseconds duration) override { pauses.push_back(duration); }
    std::vector<std::chrono::milliseconds> pauses;
};

}  // namespace kz7
