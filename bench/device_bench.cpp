// Two figures of the device protocol against the simulated mouse:
//  1. the wall time of a whole apply as a ratio to the pauses the protocol
//     makes it wait (the floor, about 250 ms), and its CPU time against its
//     wall time (busy waiting would bring the two close);
//  2. how often an idle listener wakes up (target: never).
//
// Usage: kz7_device_bench [--applies N] [--idle-seconds S]
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

#include "config/atomic_file.h"
#include "config/config_file.h"
#include "config/starter_config.h"
#include "device/command_set.h"
#include "device/device_link.h"
#include "platform/linux/precise_pauser.h"
#include "sim/virtual_mouse.h"

namespace {

using namespace kz7;
using Clock = std::chrono::steady_clock;

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Sleeps as the protocol asks and adds up what was asked: the floor.
class FloorPauser : public Pauser {
public:
    explicit FloorPauser(Pauser& sleeper) : sleeper_(sleeper) {}
    void Pause(std::chrono::milliseconds duration) override {
        floor += duration;
        sleeper_.Pause(duration);
    }
    std::chrono::milliseconds floor{0};

private:
    Pauser& sleeper_;
};

// Counts the reads of the event collection: each one after the first is a wake-up.
class CountingBackend : public HidBackend {
public:
    explicit CountingBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
    HidOpenResult Open(const std::string& path, HidAccess access) override {
        HidOpenResult result = inner_.Open(path, access);
        if (result.handle && path == VirtualMouse::kEventPath) {
            result.handle = std::make_unique<CountingHandle>(std::move(result.handle), eventReads);
        }
        return result;
    }
    std::atomic<int> eventReads{0};

private:
    class CountingHandle : public HidHandle {
    public:
        CountingHandle(std::unique_ptr<HidHandle> inner, std::atomic<int>& reads)
            : inner_(std::move(inner)), reads_(reads) {}
        bool SetFeature(std::span<const std::uint8_t> r) override { return inner_->SetFeature(r); }
        bool GetFeature(std::span<std::uint8_t> r) override { return inner_->GetFeature(r); }
        bool WriteOutput(std::span<const std::uint8_t> r) override { return inner_->WriteOutput(r); }
        ReadResult ReadInput(std::span<std::uint8_t> r, int timeoutMs) override {
            ++reads_;
            return inner_->ReadInput(r, timeoutMs);
        }
        void Wake() override { inner_->Wake(); }

    private:
        std::unique_ptr<HidHandle> inner_;
        std::atomic<int>& reads_;
    };
    HidBackend& inner_;
};

int ArgValue(int argc, char** argv, const std::string& name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == name) return std::atoi(argv[i + 1]);
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int applies = std::max(1, ArgValue(argc, argv, "--applies", 10));
    const int idleSeconds = std::max(0, ArgValue(argc, argv, "--idle-seconds", 10));

    const auto folder = std::filesystem::temp_directory_path() / ("kz7-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto configPath = folder / "config.bin";
    const auto image = ConfigFileImage(0, StarterConfig());
    if (WriteFileAtomically(configPath, image.data(), image.size()) != 0) {
        std::fprintf(stderr, "cannot write %s\n", configPath.string().c_str());
        return 1;
    }

    SleepingPauser plainSleeper;
    linux_platform::PrecisePauser preciseSleeper;
    struct Sleeper {
        const char* name;
        Pauser* pauser;
    };
    const Sleeper sleepers[] = {{"std::this_thread::sleep_for", &plainSleeper},
                                {"PrecisePauser (used by kz7ctl)", &preciseSleeper}};

    VirtualMouse mouse;
    CountingBackend backend(mouse);
    FloorPauser pauser(preciseSleeper);
    RecordingPrompter prompter;
    DeviceLink link(backend, pauser);
    if (!link.FindDevice().Connected() || !link.Handshake().Connected()) {
        std::fprintf(stderr, "the simulated mouse was not accepted\n");
        return 1;
    }
    link.StartListener();
    link.StatusExchange();

    ConfigModel model;
    model.config = StarterConfig();
    for (const Sleeper& sleeper : sleepers) {
        FloorPauser measured(*sleeper.pauser);
        link.Channel().pauser = &measured;
        double worstRatio = 0;
        double totalWall = 0;
        double totalFloor = 0;
        double totalCpu = 0;
        std::printf("apply against the simulated mouse, %d runs, pauses by %s\n", applies, sleeper.name);
        for (int run = 0; run < applies; ++run) {
            measured.floor = std::chrono::milliseconds(0);
            const double cpuBefore = ProcessCpuSeconds();
            const auto start = Clock::now();
            WriteConfigToMouse(link.Channel(), link.Images(), model.config);
            SaveConfig(configPath, model, prompter);
            const double wall = Seconds(Clock::now() - start);
            const double cpu = ProcessCpuSeconds() - cpuBefore;
            const double floor = std::chrono::duration<double>(measured.floor).count();
            worstRatio = std::max(worstRatio, wall / floor);
            totalWall += wall;
            totalFloor += floor;
            totalCpu += cpu;
        }
        std::printf("  floor (pauses)      %8.1f ms per apply\n", 1000 * totalFloor / applies);
        std::printf("  wall time           %8.1f ms per apply\n", 1000 * totalWall / applies);
        std::printf("  wall / floor        %8.3f (worst run %.3f; target <= 1.05)\n", totalWall / totalFloor,
                    worstRatio);
        std::printf("  cpu / wall          %8.3f (busy waiting would be near 1)\n", totalCpu / totalWall);
    }
    link.Channel().pauser = &pauser;

    if (idleSeconds > 0) {
        const int readsBefore = backend.eventReads.load();
        const double cpuBefore = ProcessCpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        const int wakeUps = backend.eventReads.load() - readsBefore;
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        std::printf("idle listener over %d s\n", idleSeconds);
        std::printf("  wake-ups            %8d (target 0)\n", wakeUps);
        std::printf("  cpu time            %8.3f ms\n", 1000 * cpu);
    }
    link.CloseLink();
    std::filesystem::remove_all(folder);
    return 0;
}
