// sway and other compositors that speak its IPC, through swaymsg: pointer
// acceleration and its profile for every input of type "pointer".
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/command_runner.h"
#include "platform/linux/pointer_backends.h"
#include "platform/linux/pointer_tool_output.h"

namespace kz7::linux_platform {
namespace {

class SwayPointerBackend final : public PointerBackend {
public:
    explicit SwayPointerBackend(std::shared_ptr<CommandRunner> runner) : runner_(std::move(runner)) {}

    std::string_view Name() const override { return "sway"; }

    bool Supports(PointerSetting setting) const override {
        return setting == PointerSetting::Speed || setting == PointerSetting::Precision;
    }

    // `input` commands change the running compositor only.
    std::string_view Caveat() const override {
        return "Mouse speed and pointer precision set by kz7 last until sway restarts; "
               "put them in sway's config to keep them.";
    }

    std::optional<bool> ReadPrecision() override {
        const auto pointer = Query();
        return pointer ? pointer->adaptive : std::nullopt;
    }
    std::optional<int> ReadSpeed() override {
        const auto pointer = Query();
        if (!pointer || !pointer->speed) return std::nullopt;
        return SpeedFromUnitSpeed(*pointer->speed);
    }
    std::optional<std::uint32_t> ReadWheelLines() override { return std::nullopt; }
    std::optional<std::uint32_t> ReadDoubleClickMs() override { return std::nullopt; }

    bool WritePrecision(bool on) override { return Command("accel_profile", on ? "adaptive" : "flat"); }
    bool WriteSpeed(int speed) override {
        return Command("pointer_accel", FormatUnitSpeed(UnitSpeedFromSpeed(speed)));
    }
    bool WriteWheelLines(std::uint32_t) override { return false; }
    bool WriteDoubleClickMs(std::uint32_t) override { return false; }

private:
    std::optional<LibinputAcceleration> Query() {
        const CommandResult result = runner_->Run({"swaymsg", "--raw", "-t", "get_inputs"});
        if (!result.Succeeded()) return std::nullopt;
        return FirstSwayPointer(result.output);
    }

    bool Command(const std::string& setting, const std::string& value) {
        // "--" so that a negative speed is not taken for an option.
        const CommandResult result =
            runner_->Run({"swaymsg", "--raw", "--", "input", "type:pointer", setting, value});
        return result.Succeeded() && SwayCommandsSucceeded(result.output);
    }

    std::shared_ptr<CommandRunner> runner_;
};

}  // namespace

std::unique_ptr<PointerBackend> MakeSwayPointerBackend(std::shared_ptr<CommandRunner> runner) {
    if (!runner) runner = std::make_shared<ProcessRunner>();
    return std::make_unique<SwayPointerBackend>(std::move(runner));
}

}  // namespace kz7::linux_platform
