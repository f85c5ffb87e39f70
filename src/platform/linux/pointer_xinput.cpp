// Plain X11 sessions, through xinput: the libinput driver's acceleration
// speed and profile on every mouse-like pointer. Touchpads keep their own
// settings, as a desktop's mouse settings leave them alone too.
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/command_runner.h"
#include "platform/linux/pointer_backends.h"
#include "platform/linux/pointer_tool_output.h"

namespace kz7::linux_platform {
namespace {

constexpr const char* kSpeedProperty = "libinput Accel Speed";
constexpr const char* kProfileProperty = "libinput Accel Profile Enabled";

struct Pointer {
    int id = 0;
    XinputPointerProperties properties;
};

class XinputPointerBackend final : public PointerBackend {
public:
    explicit XinputPointerBackend(std::shared_ptr<CommandRunner> runner) : runner_(std::move(runner)) {}

    std::string_view Name() const override { return "this X11 session"; }

    bool Supports(PointerSetting setting) const override {
        return setting == PointerSetting::Speed || setting == PointerSetting::Precision;
    }

    // X drops device properties when the device goes away.
    std::string_view Caveat() const override {
        return "Mouse speed and pointer precision set by kz7 last until you log out or plug the mouse in again.";
    }

    std::optional<bool> ReadPrecision() override {
        for (const Pointer& pointer : Pointers()) {
            if (const auto adaptive = AdaptiveFromProfiles(pointer.properties.profilesEnabled)) return adaptive;
        }
        return std::nullopt;
    }
    std::optional<int> ReadSpeed() override {
        const std::vector<Pointer> pointers = Pointers();
        if (pointers.empty()) return std::nullopt;
        return SpeedFromUnitSpeed(*pointers.front().properties.speed);
    }
    std::optional<std::uint32_t> ReadWheelLines() override { return std::nullopt; }
    std::optional<std::uint32_t> ReadDoubleClickMs() override { return std::nullopt; }

    bool WritePrecision(bool on) override {
        // Every mouse is tried even when one refuses; any refusal fails the write.
        bool tried = false;
        bool ok = true;
        for (const Pointer& pointer : Pointers()) {
            const std::size_t count = pointer.properties.profilesEnabled.size();
            if (count < 2) continue;  // no choice of profile on this device
            std::vector<std::string> argv = {"xinput", "set-prop", std::to_string(pointer.id), kProfileProperty};
            for (std::size_t i = 0; i < count; ++i) argv.push_back(i == (on ? 0u : 1u) ? "1" : "0");
            ok = runner_->Run(argv).Succeeded() && ok;
            tried = true;
        }
        return tried && ok;
    }
    bool WriteSpeed(int speed) override {
        const std::vector<Pointer> pointers = Pointers();
        if (pointers.empty()) return false;
        const std::string value = FormatUnitSpeed(UnitSpeedFromSpeed(speed));
        bool ok = true;
        for (const Pointer& pointer : pointers) {
            const CommandResult result =
                runner_->Run({"xinput", "set-prop", std::to_string(pointer.id), kSpeedProperty, value});
            ok = result.Succeeded() && ok;
        }
        return ok;
    }
    bool WriteWheelLines(std::uint32_t) override { return false; }
    bool WriteDoubleClickMs(std::uint32_t) override { return false; }

private:
    // The mice of the session: slave pointers driven by libinput, touchpads
    // and the XTEST device (no libinput properties) left out.
    std::vector<Pointer> Pointers() {
        std::vector<Pointer> pointers;
        const CommandResult listing = runner_->Run({"xinput", "list", "--short"});
        if (!listing.Succeeded()) return pointers;
        for (const int id : XinputSlavePointerIds(listing.output)) {
            const CommandResult props = runner_->Run({"xinput", "list-props", std::to_string(id)});
            if (!props.Succeeded()) continue;  // gone since the listing
            Pointer pointer{id, ParseXinputProperties(props.output)};
            if (pointer.properties.touchpad || !pointer.properties.speed) continue;
            pointers.push_back(std::move(pointer));
        }
        return pointers;
    }

    std::shared_ptr<CommandRunner> runner_;
};

}  // namespace

std::unique_ptr<PointerBackend> MakeXinputPointerBackend(std::shared_ptr<CommandRunner> runner) {
    if (!runner) runner = std::make_shared<ProcessRunner>();
    return std::make_unique<XinputPointerBackend>(std::move(runner));
}

}  // namespace kz7::linux_platform
