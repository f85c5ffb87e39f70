#include <gtest/gtest.h>

#include "device/link_fixture.h"
#include "session/connect.h"

namespace kz7 {
namespace {

using testing::MouseOptions;
using testing::ShuffledBackend;

constexpr std::array<std::uint8_t, 6> kKey = {1, 2, 3, 4, 5, 6};

struct ConnectCase {
    const char* name;
    bool pluggedIn;
    VirtualMouse::Dialect dialect;
    const char* refusedPath;  // a node that cannot be opened, or null
    LinkStatus status;
    std::optional<std::string> startupMessage;
    std::string failureLine;
};

TEST(Connect, EachOutcomeIsWordedOnceForEachFrontEnd) {
    const std::string noMouse = "The system did not detect the gaming mouse!";
    const std::string rule(kUdevRuleHint);
    const ConnectCase cases[] = {
        {"connected", true, VirtualMouse::Dialect::Scrambled, nullptr, LinkStatus::Connected, std::nullopt, ""},
        {"absent", false, VirtualMouse::Dialect::Scrambled, nullptr, LinkStatus::NoMouse, noMouse,
         "no mouse found"},
        {"refused", true, VirtualMouse::Dialect::Plain, nullptr, LinkStatus::Refused, std::nullopt,
         "the mouse did not accept the handshake: check the scramble key"},
        {"command node locked", true, VirtualMouse::Dialect::Scrambled, VirtualMouse::kCommandPath,
         LinkStatus::CannotOpen,
         noMouse + "\n\n" + VirtualMouse::kCommandPath + ": Permission denied\n\n" + rule,
         std::string("cannot open ") + VirtualMouse::kCommandPath + ": Permission denied; " + rule},
        {"event node locked", true, VirtualMouse::Dialect::Scrambled, VirtualMouse::kEventPath,
         LinkStatus::CannotOpen, noMouse + "\n\n" + VirtualMouse::kEventPath + ": Permission denied\n\n" + rule,
         std::string("cannot open ") + VirtualMouse::kEventPath + ": Permission denied; " + rule},
    };
    for (const ConnectCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto options = MouseOptions(kKey, 0, c.dialect);
        options.pluggedIn = c.pluggedIn;
        VirtualMouse mouse(options);
        ShuffledBackend backend(mouse);
        if (c.refusedPath) backend.refused = {c.refusedPath};
        RecordingPauser pauser;
        DeviceLink link(backend, pauser);
        link.SetScrambleKey(kKey);
        const LinkResult result = Connect(link);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(link.devicePresent, c.status == LinkStatus::Connected);
        EXPECT_EQ(StartupMessage(result, UiLanguage::English), c.startupMessage);
        EXPECT_EQ(LinkFailureText(result), c.failureLine);
    }
}

TEST(Connect, TheStartupMessageFollowsTheLanguageButTheReasonStaysTheSystems) {
    const LinkResult locked{LinkStatus::CannotOpen, "/dev/hidraw3", "Permission denied"};
    const auto message = StartupMessage(locked, UiLanguage::SimplifiedChinese);
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->starts_with("系统没有检测到游戏鼠标！\n\n/dev/hidraw3: Permission denied\n\n"));
}

}  // namespace
}  // namespace kz7
