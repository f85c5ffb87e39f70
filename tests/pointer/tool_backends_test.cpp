// The desktops reached through their own tools (swaymsg, xinput): what the
// tools print, what is run, and what a missing or failing tool means.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "config/prompter.h"
#include "platform/linux/pointer_backends.h"
#include "platform/linux/pointer_tool_output.h"
#include "pointer/fake_runner.h"
#include "pointer/pointer_record.h"
#include "pointer/pointer_settings.h"

namespace kz7 {
namespace {

using linux_platform::CommandResult;
using linux_platform::LibinputAcceleration;
using linux_platform::XinputPointerProperties;
using testing_support::FakeRunner;
using testing_support::PointerRecord;
using Outcome = CommandResult::Outcome;

// ---- swaymsg ------------------------------------------------------------------

constexpr const char* kSwayInputs = R"js([
  {"identifier": "1:1:AT_Translated_Set_2_keyboard", "name": "AT Translated Set 2 keyboard", "type": "keyboard",
   "xkb_active_layout_name": "English (US)", "libinput": {"send_events": "enabled"}},
  {"identifier": "1739:52619:SYNA8004:00_06CB:CD8B_Touchpad", "type": "touchpad",
   "libinput": {"send_events": "enabled", "tap": "enabled", "accel_speed": 0.5, "accel_profile": "adaptive"}},
  {"identifier": "1241:41119:Gaming_Mouse", "name": "Gaming Mouse", "vendor": 1241, "product": 41119,
   "type": "pointer",
   "libinput": {"send_events": "enabled", "accel_speed": -0.333, "accel_profile": "flat",
                "natural_scroll": "disabled"}},
  {"identifier": "2:3:Other_Mouse", "type": "pointer", "libinput": {"accel_speed": 1.0, "accel_profile": "adaptive"}}
])js";

TEST(SwayOutput, TheFirstPointerWithAccelerationIsRead) {
    const struct {
        const char* json;
        std::optional<LibinputAcceleration> expected;
    } cases[] = {
        {kSwayInputs, LibinputAcceleration{-0.333, false}},
        // Touchpads and keyboards are not the mouse.
        {R"js([{"type": "touchpad", "libinput": {"accel_speed": 0.5}}, {"type": "keyboard"}])js", std::nullopt},
        // A pointer without acceleration (no libinput, or no speed) is passed over.
        {R"js([{"type": "pointer"}, {"type": "pointer", "libinput": {"accel_profile": "flat"}},
             {"type": "pointer", "libinput": {"accel_speed": 0, "accel_profile": "adaptive"}}])js",
         LibinputAcceleration{0.0, true}},
        // A profile that is neither (none, custom) reads as unknown, the speed still counts.
        {R"js([{"type": "pointer", "libinput": {"accel_speed": 0.25, "accel_profile": "none"}}])js",
         LibinputAcceleration{0.25, std::nullopt}},
        {R"js([{"type": "pointer", "libinput": {"accel_speed": "fast"}}])js", std::nullopt},
        {R"js([])js", std::nullopt},
        {R"js({"type": "pointer"})js", std::nullopt},
        {"Error: unable to retrieve socket path", std::nullopt},
        {"", std::nullopt},
        {R"js([{"type": "pointer", "libinput": {"accel_speed": 0.5)js", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(linux_platform::FirstSwayPointer(c.json), c.expected) << c.json;
}

TEST(SwayOutput, ACommandSucceedsOnlyWhenEveryReplySaysSo) {
    const struct {
        const char* json;
        bool ok;
    } cases[] = {
        {R"js([{"success": true}])js", true},
        {R"js([ { "success": true }, { "success": true } ])js", true},
        {R"js([{"success": false, "parse_error": true, "error": "Unknown/invalid command 'pointer_acel'"}])js", false},
        {R"js([{"success": true}, {"success": false}])js", false},
        {R"js([{"success": "true"}])js", false},
        {R"js([])js", false},
        {R"js({"success": true})js", false},
        {"", false},
        {"garbage", false},
    };
    for (const auto& c : cases) EXPECT_EQ(linux_platform::SwayCommandsSucceeded(c.json), c.ok) << c.json;
}

TEST(ToolOutput, SpeedFactorsAreWrittenWithADotAndThreeDecimals) {
    const std::pair<double, const char*> cases[] = {
        {-1.0, "-1.000"}, {UnitSpeedFromSpeed(4), "-0.667"}, {0.0, "0.000"}, {-0.0001, "0.000"},
        {UnitSpeedFromSpeed(15), "0.500"}, {1.0, "1.000"}, {3.0, "1.000"}, {std::nan(""), "0.000"}};
    for (auto [factor, text] : cases) EXPECT_EQ(linux_platform::FormatUnitSpeed(factor), text) << factor;
    // Every speed survives the trip through three decimals.
    for (int speed = kMinPointerSpeed; speed <= kMaxPointerSpeed; ++speed)
        EXPECT_EQ(SpeedFromUnitSpeed(std::stod(linux_platform::FormatUnitSpeed(UnitSpeedFromSpeed(speed)))), speed);
}

class SwayBackendTest : public ::testing::Test {
protected:
    static constexpr const char* kQuery = "swaymsg --raw -t get_inputs";
    static constexpr const char* kSpeedCommand = "swaymsg --raw -- input type:pointer pointer_accel ";
    static constexpr const char* kProfileCommand = "swaymsg --raw -- input type:pointer accel_profile ";

    void AnswerAllWrites(FakeRunner::Result result) {
        for (int speed = kMinPointerSpeed; speed <= kMaxPointerSpeed; ++speed)
            runner->Answer(kSpeedCommand + linux_platform::FormatUnitSpeed(UnitSpeedFromSpeed(speed)), result);
        runner->Answer(std::string(kProfileCommand) + "flat", result);
        runner->Answer(std::string(kProfileCommand) + "adaptive", result);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompter.messages) texts.push_back(message.text);
        return texts;
    }

    std::shared_ptr<FakeRunner> runner = std::make_shared<FakeRunner>();
    std::unique_ptr<PointerBackend> sway = linux_platform::MakeSwayPointerBackend(runner);
    RecordingPrompter prompter;
    std::vector<std::string> notices;
    SystemPointer pointer{*sway, prompter, [this](std::string_view text) { notices.emplace_back(text); }};
};

TEST_F(SwayBackendTest, ReadsAndWritesThePointerInputs) {
    runner->Answer(kQuery, FakeRunner::Output(kSwayInputs));
    AnswerAllWrites(FakeRunner::Output(R"js([ { "success": true } ])js"));
    DeviceConfig config = PointerRecord(1, 0, 1, 5, 9);
    pointer.ReadFromSystem(config);
    EXPECT_EQ(config.enhancePointerPrecision, 0);      // flat
    EXPECT_EQ(config.pointerSpeed, LevelFromSpeed(7));  // -0.333 is speed 7
    EXPECT_EQ(config.wheelScrollLines, 5);              // sway has none: kept
    EXPECT_EQ(config.doubleClickSpeed, 9);

    runner->calls.clear();
    EXPECT_TRUE(pointer.ApplyToSystem(PointerRecord(1, 0, 3, 5, 9)).Ok());
    EXPECT_TRUE(pointer.ApplyToSystem(PointerRecord(0, 1, 11, 5, 9)).Ok());
    EXPECT_EQ(runner->calls, (std::vector<std::string>{
                                 std::string(kProfileCommand) + "adaptive",
                                 std::string(kSpeedCommand) + "-0.667",  // level 3 is speed 4
                                 std::string(kProfileCommand) + "flat",
                                 std::string(kSpeedCommand) + "1.000",
                             }));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SwayBackendTest, TellsOnceWhatSwayLacksAndThatItForgetsOnRestart) {
    runner->Answer(kQuery, FakeRunner::Output(kSwayInputs));
    AnswerAllWrites(FakeRunner::Output(R"js([{"success": true}])js"));
    DeviceConfig config = PointerRecord(0, 0, 6, 3, 6);
    pointer.ReadFromSystem(config);
    pointer.ApplyToSystem(config);
    pointer.RestoreDefaults(config);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0],
              "Scrolling speed, scroll one screen and double-click speed cannot be changed on sway; kz7 keeps them "
              "in its configuration only. Mouse speed and pointer precision set by kz7 last until sway restarts; put "
              "them in sway's config to keep them.");
}

TEST_F(SwayBackendTest, AToolThatIsMissingFailsOrBabblesIsAFailedReadAndWrite) {
    const struct {
        const char* what;
        FakeRunner::Result query;
        FakeRunner::Result command;
    } cases[] = {
        {"not installed", FakeRunner::Outcome(Outcome::NotFound), FakeRunner::Outcome(Outcome::NotFound)},
        {"no sway to talk to", FakeRunner::Output("", 1), FakeRunner::Output("", 1)},
        {"hangs", FakeRunner::Outcome(Outcome::TimedOut), FakeRunner::Outcome(Outcome::TimedOut)},
        {"killed", FakeRunner::Outcome(Outcome::Killed), FakeRunner::Outcome(Outcome::Killed)},
        {"garbage", FakeRunner::Output("\x01\x02 not json"), FakeRunner::Output("OK")},
        {"no pointer", FakeRunner::Output(R"js([{"type": "keyboard"}])js"),
         FakeRunner::Output(R"js([{"success": false, "error": "Invalid input"}])js", 2)},
        {"refused though exit 0", FakeRunner::Output("[]"), FakeRunner::Output(R"js([{"success": false}])js")},
        {"floods", FakeRunner::Outcome(Outcome::OutputTooLong), FakeRunner::Outcome(Outcome::OutputTooLong)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        runner->answers.clear();
        prompter.messages.clear();
        runner->Answer(kQuery, c.query);
        AnswerAllWrites(c.command);
        SystemPointer fresh(*sway, prompter, [](std::string_view) {});
        DeviceConfig config = PointerRecord(1, 0, 4, 3, 6);
        fresh.ReadFromSystem(config);
        EXPECT_EQ(config.pointerSpeed, 4);  // kept
        EXPECT_EQ(config.enhancePointerPrecision, 0);  // an unread precision reads as off, silently
        const PointerWriteResult result = fresh.ApplyToSystem(PointerRecord(1, 0, 4, 3, 6));
        EXPECT_EQ(result.failed, (std::vector<PointerSetting>{PointerSetting::Precision, PointerSetting::Speed}));
        EXPECT_EQ(Texts(), (std::vector<std::string>{"GETMOUSESPEED failed.", "SETMOUSE failed.",
                                                     "SETMOUSESPEED failed."}));
    }
}

// ---- xinput -----------------------------------------------------------------------

constexpr const char* kXinputList =
    "\u23a1 Virtual core pointer                    \tid=2\t[master pointer  (3)]\n"
    "\u239c   \u21b3 Virtual core XTEST pointer              \tid=4\t[slave  pointer  (2)]\n"
    "\u239c   \u21b3 SYNA8004:00 06CB:CD8B Touchpad          \tid=11\t[slave  pointer  (2)]\n"
    "\u239c   \u21b3 Gaming Mouse id=99                      \tid=12\t[slave  pointer  (2)]\n"
    "\u239c   \u21b3 Old Trackball                           \tid=15\t[slave  pointer  (2)]\n"
    "\u23a3 Virtual core keyboard                   \tid=3\t[master keyboard (2)]\n"
    "    \u21b3 Virtual core XTEST keyboard             \tid=5\t[slave  keyboard (3)]\n"
    "    \u21b3 Gaming Mouse Keyboard                   \tid=13\t[slave  keyboard (3)]\n"
    "\u223c Floating Mouse                            \tid=14\t[floating slave]\n";

constexpr const char* kXtestProps =
    "Device 'Virtual core XTEST pointer':\n"
    "\tDevice Enabled (153):\t1\n"
    "\tCoordinate Transformation Matrix (155):\t1.000000, 0.000000, 0.000000, 0.000000, 1.000000, 0.000000\n"
    "\tXTEST Device (272):\t1\n";
constexpr const char* kTouchpadProps =
    "Device 'SYNA8004:00 06CB:CD8B Touchpad':\n"
    "\tDevice Enabled (153):\t1\n"
    "\tlibinput Tapping Enabled (290):\t1\n"
    "\tlibinput Tapping Enabled Default (291):\t0\n"
    "\tlibinput Accel Speed (300):\t0.200000\n"
    "\tlibinput Accel Profile Enabled (303):\t1, 0\n";
constexpr const char* kMouseProps =
    "Device 'Gaming Mouse id=99':\n"
    "\tDevice Enabled (153):\t1\n"
    "\tlibinput Accel Speed (300):\t-0.500000\n"
    "\tlibinput Accel Speed Default (301):\t0.000000\n"
    "\tlibinput Accel Profiles Available (302):\t1, 1, 1\n"
    "\tlibinput Accel Profile Enabled (303):\t0, 1, 0\n"
    "\tlibinput Accel Profile Enabled Default (304):\t1, 0, 0\n";
constexpr const char* kTrackballProps =
    "Device 'Old Trackball':\n"
    "\tlibinput Accel Speed (300):\t0.000000\n"
    "\tlibinput Accel Profile Enabled (303):\t1, 0\n";

TEST(XinputOutput, TheSlavePointersAreListed) {
    EXPECT_EQ(linux_platform::XinputSlavePointerIds(kXinputList), (std::vector<int>{4, 11, 12, 15}));
    EXPECT_TRUE(linux_platform::XinputSlavePointerIds("").empty());
    EXPECT_TRUE(linux_platform::XinputSlavePointerIds("unable to connect to X server\n").empty());
    EXPECT_TRUE(linux_platform::XinputSlavePointerIds("id=x [slave  pointer  (2)]\n").empty());
}

TEST(XinputOutput, TheLibinputPropertiesOfADeviceAreRead) {
    const struct {
        const char* props;
        XinputPointerProperties expected;
    } cases[] = {
        {kMouseProps, {false, -0.5, {0, 1, 0}}},
        {kTouchpadProps, {true, 0.2, {1, 0}}},
        {kXtestProps, {false, std::nullopt, {}}},
        {"\tlibinput Accel Speed (300):\tfast\n\tlibinput Accel Profile Enabled (303):\t1, x\n",
         {false, std::nullopt, {}}},
        {"property 'libinput Accel Speed' doesn't exist\n", {false, std::nullopt, {}}},
        {"", {false, std::nullopt, {}}},
    };
    for (const auto& c : cases) EXPECT_EQ(linux_platform::ParseXinputProperties(c.props), c.expected) << c.props;

    const std::pair<std::vector<int>, std::optional<bool>> profiles[] = {
        {{1, 0}, true}, {{0, 1}, false}, {{1, 0, 0}, true}, {{0, 1, 0}, false},
        {{0, 0, 1}, std::nullopt}, {{0, 0}, std::nullopt}, {{1}, std::nullopt}, {{}, std::nullopt}};
    for (const auto& [values, adaptive] : profiles)
        EXPECT_EQ(linux_platform::AdaptiveFromProfiles(values), adaptive) << values.size();
}

class XinputBackendTest : public ::testing::Test {
protected:
    void AnswerTheSession() {
        runner->Answer("xinput list --short", FakeRunner::Output(kXinputList));
        runner->Answer("xinput list-props 4", FakeRunner::Output(kXtestProps));
        runner->Answer("xinput list-props 11", FakeRunner::Output(kTouchpadProps));
        runner->Answer("xinput list-props 12", FakeRunner::Output(kMouseProps));
        runner->Answer("xinput list-props 15", FakeRunner::Output(kTrackballProps));
    }
    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        for (const std::string& call : runner->calls)
            if (call.starts_with("xinput set-prop")) writes.push_back(call);
        return writes;
    }

    std::shared_ptr<FakeRunner> runner = std::make_shared<FakeRunner>();
    std::unique_ptr<PointerBackend> xinput = linux_platform::MakeXinputPointerBackend(runner);
};

TEST_F(XinputBackendTest, ReadsTheFirstMouseAndWritesEveryMouseButNotTheTouchpad) {
    AnswerTheSession();
    for (const char* id : {"12", "15"}) {
        for (const char* value : {"1.000", "-0.667", "0.000"})
            runner->Answer(std::string("xinput set-prop ") + id + " libinput Accel Speed " + value,
                           FakeRunner::Output(""));
    }
    runner->Answer("xinput set-prop 12 libinput Accel Profile Enabled 1 0 0", FakeRunner::Output(""));
    runner->Answer("xinput set-prop 15 libinput Accel Profile Enabled 1 0", FakeRunner::Output(""));
    runner->Answer("xinput set-prop 12 libinput Accel Profile Enabled 0 1 0", FakeRunner::Output(""));
    runner->Answer("xinput set-prop 15 libinput Accel Profile Enabled 0 1", FakeRunner::Output(""));

    EXPECT_EQ(xinput->ReadSpeed(), 6);  // -0.5
    EXPECT_EQ(xinput->ReadPrecision(), false);
    EXPECT_TRUE(xinput->WriteSpeed(20));
    EXPECT_TRUE(xinput->WritePrecision(true));
    EXPECT_TRUE(xinput->WritePrecision(false));
    EXPECT_TRUE(xinput->WriteSpeed(4));
    EXPECT_EQ(Writes(), (std::vector<std::string>{
                            "xinput set-prop 12 libinput Accel Speed 1.000",
                            "xinput set-prop 15 libinput Accel Speed 1.000",
                            "xinput set-prop 12 libinput Accel Profile Enabled 1 0 0",
                            "xinput set-prop 15 libinput Accel Profile Enabled 1 0",
                            "xinput set-prop 12 libinput Accel Profile Enabled 0 1 0",
                            "xinput set-prop 15 libinput Accel Profile Enabled 0 1",
                            "xinput set-prop 12 libinput Accel Speed -0.667",
                            "xinput set-prop 15 libinput Accel Speed -0.667",
                        }));
    EXPECT_FALSE(xinput->Supports(PointerSetting::WheelLines));
    EXPECT_FALSE(xinput->Supports(PointerSetting::DoubleClickTime));
}

TEST_F(XinputBackendTest, OneMouseRefusingFailsTheWriteButTheOthersAreStillSet) {
    AnswerTheSession();
    runner->Answer("xinput set-prop 12 libinput Accel Speed 0.000", FakeRunner::Output("", 1));
    runner->Answer("xinput set-prop 15 libinput Accel Speed 0.000", FakeRunner::Output(""));
    EXPECT_FALSE(xinput->WriteSpeed(10));
    EXPECT_EQ(Writes().size(), 2u);
}

TEST_F(XinputBackendTest, WithoutXinputOrAnyMouseNothingIsReadOrWritten) {
    const struct {
        const char* what;
        FakeRunner::Result list;
    } cases[] = {
        {"not installed", FakeRunner::Outcome(Outcome::NotFound)},
        {"no X server", FakeRunner::Output("Unable to connect to X server\n", 1)},
        {"hangs", FakeRunner::Outcome(Outcome::TimedOut)},
        {"garbage", FakeRunner::Output("\x7f\x45LF")},
        {"only a touchpad", FakeRunner::Output("\u239c   \u21b3 Touchpad\tid=11\t[slave  pointer  (2)]\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        runner->answers.clear();
        runner->calls.clear();
        runner->Answer("xinput list --short", c.list);
        runner->Answer("xinput list-props 11", FakeRunner::Output(kTouchpadProps));
        EXPECT_EQ(xinput->ReadSpeed(), std::nullopt);
        EXPECT_EQ(xinput->ReadPrecision(), std::nullopt);
        EXPECT_FALSE(xinput->WriteSpeed(10));
        EXPECT_FALSE(xinput->WritePrecision(true));
        EXPECT_TRUE(Writes().empty());
    }
}

}  // namespace
}  // namespace kz7
