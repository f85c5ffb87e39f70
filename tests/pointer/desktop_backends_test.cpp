#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "config/prompter.h"
#include "ini/ini_file.h"
#include "platform/linux/pointer_backends.h"
#include "pointer/memory_pointer_backend.h"
#include "pointer/pointer_settings.h"

namespace kz7 {
namespace {

// Every GSettings read and write of this program stays in memory: set before
// GIO picks its default backend, which happens at the first use.
const bool kMemorySettings = [] {
    setenv("GSETTINGS_BACKEND", "memory", 1);
    return true;
}();

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

class GSettingsBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kMemorySettings);
        backend = linux_platform::MakeGSettingsPointerBackend();
        if (!backend) GTEST_SKIP() << kSchema << " is not installed (gsettings-desktop-schemas)";
        mouse = g_settings_new(kSchema);
        g_settings_reset(mouse, "speed");
        g_settings_reset(mouse, "accel-profile");
        g_settings_reset(mouse, "double-click");
    }
    void TearDown() override {
        if (mouse) g_object_unref(mouse);
    }
    std::string Profile() {
        gchar* text = g_settings_get_string(mouse, "accel-profile");
        std::string profile(text);
        g_free(text);
        return profile;
    }

    std::unique_ptr<PointerBackend> backend;
    GSettings* mouse = nullptr;
};

TEST_F(GSettingsBackendTest, OffersSpeedPrecisionAndDoubleClickButNoWheelLines) {
    EXPECT_TRUE(backend->Supports(PointerSetting::Precision));
    EXPECT_TRUE(backend->Supports(PointerSetting::Speed));
    EXPECT_TRUE(backend->Supports(PointerSetting::DoubleClickTime));
    EXPECT_FALSE(backend->Supports(PointerSetting::WheelLines));
    EXPECT_FALSE(backend->Supports(PointerSetting::ScrollOneScreen));
}

TEST_F(GSettingsBackendTest, ReadsTheDesktopValues) {
    EXPECT_EQ(backend->ReadSpeed(), 10);  // GNOME's default 0.0
    g_settings_set_double(mouse, "speed", 1.0);
    EXPECT_EQ(backend->ReadSpeed(), 20);
    g_settings_set_double(mouse, "speed", -1.0);
    EXPECT_EQ(backend->ReadSpeed(), 1);

    EXPECT_EQ(backend->ReadPrecision(), true);  // "default" is adaptive for a mouse
    g_settings_set_string(mouse, "accel-profile", "flat");
    EXPECT_EQ(backend->ReadPrecision(), false);
    g_settings_set_string(mouse, "accel-profile", "adaptive");
    EXPECT_EQ(backend->ReadPrecision(), true);

    g_settings_set_int(mouse, "double-click", 620);
    EXPECT_EQ(backend->ReadDoubleClickMs(), 620u);
    EXPECT_EQ(backend->ReadWheelLines(), std::nullopt);
}

TEST_F(GSettingsBackendTest, WritesTheDesktopValues) {
    EXPECT_TRUE(backend->WriteSpeed(20));
    EXPECT_DOUBLE_EQ(g_settings_get_double(mouse, "speed"), 1.0);
    EXPECT_TRUE(backend->WriteSpeed(10));
    EXPECT_DOUBLE_EQ(g_settings_get_double(mouse, "speed"), 0.0);
    EXPECT_TRUE(backend->WritePrecision(false));
    EXPECT_EQ(Profile(), "flat");
    EXPECT_TRUE(backend->WritePrecision(true));
    EXPECT_EQ(Profile(), "adaptive");
    EXPECT_TRUE(backend->WriteDoubleClickMs(550));
    EXPECT_EQ(g_settings_get_int(mouse, "double-click"), 550);
    EXPECT_FALSE(backend->WriteWheelLines(3));
}

TEST_F(GSettingsBackendTest, ReadApplyAndDefaultThroughTheSettingsOfOneRun) {
    RecordingPrompter prompter;
    SystemPointer pointer(*backend, prompter);
    g_settings_set_double(mouse, "speed", 0.0);
    g_settings_set_string(mouse, "accel-profile", "flat");
    g_settings_set_int(mouse, "double-click", 400);
    DeviceConfig config = ZeroConfig();
    config.wheelScrollLines = 5;
    pointer.ReadFromSystem(config);
    EXPECT_EQ(config.pointerSpeed, 6);
    EXPECT_EQ(config.enhancePointerPrecision, 0);
    EXPECT_EQ(config.doubleClickSpeed, 8);
    EXPECT_EQ(config.wheelScrollLines, 5);  // GNOME has none: the stored value stays

    config.pointerSpeed = 11;
    config.enhancePointerPrecision = 1;
    config.doubleClickSpeed = 11;
    pointer.ApplyToSystem(config);
    pointer.ApplyToSystem(config);
    EXPECT_DOUBLE_EQ(g_settings_get_double(mouse, "speed"), 1.0);
    EXPECT_EQ(Profile(), "adaptive");
    EXPECT_EQ(g_settings_get_int(mouse, "double-click"), 200);

    pointer.RestoreDefaults(config);
    EXPECT_DOUBLE_EQ(g_settings_get_double(mouse, "speed"), 0.0);
    EXPECT_EQ(Profile(), "flat");
    EXPECT_EQ(g_settings_get_int(mouse, "double-click"), 500);

    // The missing wheel settings were told once, not on every Apply.
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              UnsupportedSettingsNotice({PointerSetting::WheelLines, PointerSetting::ScrollOneScreen}, backend->Name()));
}

class KdeBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("kz7-kde-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        Make(linux_platform::PlasmaSession::X11);
        // By default the session's mice cannot be reached (no xinput).
        mice->failing = {PointerSetting::Speed, PointerSetting::Precision};
    }
    void Make(linux_platform::PlasmaSession session) {
        auto devices = std::make_unique<MemoryPointerBackend>();
        mice = devices.get();
        backend = linux_platform::MakeKdePointerBackend(dir, session, [this] { ++notifications; }, std::move(devices));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path dir;
    MemoryPointerBackend* mice = nullptr;  // the pointer devices of the session, owned by the backend
    std::unique_ptr<PointerBackend> backend;
    int notifications = 0;
};

TEST_F(KdeBackendTest, UnwrittenKeysReadAsPlasmaDefaults) {
    EXPECT_EQ(backend->ReadWheelLines(), 3u);
    EXPECT_EQ(backend->ReadDoubleClickMs(), 400u);
    EXPECT_EQ(backend->ReadSpeed(), 10);
    EXPECT_EQ(backend->ReadPrecision(), true);
    EXPECT_FALSE(backend->Supports(PointerSetting::ScrollOneScreen));
    EXPECT_TRUE(backend->Supports(PointerSetting::WheelLines));
}

TEST_F(KdeBackendTest, ReadsTheFiles) {
    Write("kdeglobals", "[General]\nColorScheme=Breeze\n\n[KDE]\nWheelScrollLines=7\nDoubleClickInterval=650\n");
    Write("kcminputrc", "[Mouse]\nXLbInptPointerAcceleration=-1\nXLbInptAccelProfileFlat=true\n"
                        "X11LibInputXAccelProfileFlat=false\n");
    EXPECT_EQ(backend->ReadWheelLines(), 7u);
    EXPECT_EQ(backend->ReadDoubleClickMs(), 650u);
    EXPECT_EQ(backend->ReadSpeed(), 1);
    EXPECT_EQ(backend->ReadPrecision(), false);
    // Never set by the user: the X server's default profile.
    Write("kcminputrc", "[Mouse]\nX11LibInputXAccelProfileFlat=true\nXLbInptPointerAcceleration=junk\n");
    EXPECT_EQ(backend->ReadPrecision(), false);
    EXPECT_EQ(backend->ReadSpeed(), std::nullopt);
}

TEST_F(KdeBackendTest, WritesKeepTheRestOfTheFiles) {
    Write("kdeglobals", "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\nWheelScrollLines=7\n");
    EXPECT_TRUE(backend->WriteWheelLines(5));
    EXPECT_TRUE(backend->WriteDoubleClickMs(550));
    EXPECT_TRUE(backend->WritePrecision(false));
    EXPECT_TRUE(backend->WriteSpeed(20));
    EXPECT_EQ(notifications, 4);
    EXPECT_EQ(Read("kdeglobals"),
              "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\nWheelScrollLines=5\n"
              "DoubleClickInterval=550\n");
    EXPECT_EQ(Read("kcminputrc"), "[Mouse]\nXLbInptAccelProfileFlat=true\nXLbInptPointerAcceleration=1\n");
    EXPECT_EQ(backend->ReadSpeed(), 20);
    EXPECT_EQ(backend->ReadPrecision(), false);
    // The running session was tried too; without xinput the next login applies them.
    EXPECT_EQ(mice->writes, (std::vector<std::string>{"precision 0", "speed 20"}));
}

TEST_F(KdeBackendTest, OnX11TheMiceOfTheSessionAreReadFirstAndWrittenToo) {
    mice->failing.clear();
    mice->speed = 4;
    mice->precision = false;
    Write("kcminputrc", "[Mouse]\nXLbInptPointerAcceleration=1\nXLbInptAccelProfileFlat=false\n");
    EXPECT_EQ(backend->ReadSpeed(), 4);
    EXPECT_EQ(backend->ReadPrecision(), false);
    EXPECT_TRUE(backend->WriteSpeed(12));
    EXPECT_TRUE(backend->WritePrecision(true));
    EXPECT_EQ(mice->speed, 12);
    EXPECT_EQ(mice->precision, true);
    EXPECT_EQ(IniFile::Load(dir / "kcminputrc").Get("Mouse", "XLbInptPointerAcceleration"), "0.2");
    EXPECT_NE(backend->Caveat().find("xinput"), std::string_view::npos);
}

TEST_F(KdeBackendTest, OnWaylandSpeedAndPrecisionAreKWinsAlone) {
    Make(linux_platform::PlasmaSession::Wayland);
    Write("kcminputrc", "[Mouse]\nXLbInptPointerAcceleration=1\n");
    mice->speed = 3;
    mice->precision = true;
    EXPECT_EQ(backend->ReadSpeed(), 3);
    EXPECT_EQ(backend->ReadPrecision(), true);
    EXPECT_TRUE(backend->WriteSpeed(18));
    EXPECT_TRUE(backend->WritePrecision(false));
    EXPECT_EQ(mice->writes, (std::vector<std::string>{"speed 18", "precision 0"}));
    // KWin keeps them in its own groups; nothing of ours is written for them.
    EXPECT_EQ(Read("kcminputrc"), "[Mouse]\nXLbInptPointerAcceleration=1\n");
    EXPECT_EQ(notifications, 0);
    EXPECT_TRUE(backend->Caveat().empty());

    // Without KWin they are failed reads and writes, not the file's values.
    mice->failing = {PointerSetting::Speed, PointerSetting::Precision};
    RecordingPrompter prompter;
    SystemPointer pointer(*backend, prompter, [](std::string_view) {});
    DeviceConfig config = ZeroConfig();
    config.pointerSpeed = 4;
    config.doubleClickSpeed = 6;
    config.wheelScrollLines = 3;
    pointer.ReadFromSystem(config);
    EXPECT_EQ(config.pointerSpeed, 4);
    EXPECT_EQ(pointer.ApplyToSystem(config).failed,
              (std::vector<PointerSetting>{PointerSetting::Precision, PointerSetting::Speed}));
    std::vector<std::string> texts;
    for (const auto& message : prompter.messages) texts.push_back(message.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"GETMOUSESPEED failed.", "SETMOUSE failed.", "SETMOUSESPEED failed."}));
}

TEST_F(KdeBackendTest, OneScreenPerNotchIsToldOnceAndNotWritten) {
    RecordingPrompter prompter;
    SystemPointer pointer(*backend, prompter);
    DeviceConfig config = ZeroConfig();
    config.scrollOneScreen = 1;
    config.pointerSpeed = 6;
    config.doubleClickSpeed = 6;
    pointer.ApplyToSystem(config);
    pointer.ApplyToSystem(config);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Scroll one screen cannot be changed on KDE Plasma; kz7 keeps it in its configuration only. On X11, "
              "mouse speed and pointer precision change at once where xinput is installed, otherwise at the next "
              "login.");
    EXPECT_EQ(IniFile::Load(dir / "kdeglobals").Get("KDE", "WheelScrollLines"), std::nullopt);
    EXPECT_EQ(backend->ReadDoubleClickMs(), 550u);
}

TEST_F(KdeBackendTest, ZeroWheelLinesAreRefusedAndReportedNotRoundedUp) {
    Write("kdeglobals", "[KDE]\nWheelScrollLines=7\n");
    RecordingPrompter prompter;
    SystemPointer pointer(*backend, prompter, [](std::string_view) {});
    DeviceConfig config = ZeroConfig();
    config.pointerSpeed = 6;
    config.doubleClickSpeed = 6;
    const PointerWriteResult result = pointer.ApplyToSystem(config);
    EXPECT_EQ(result.failed, std::vector<PointerSetting>{PointerSetting::WheelLines});
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, kSetWheelLinesFailed);
    EXPECT_EQ(backend->ReadWheelLines(), 7u);
}

}  // namespace
}  // namespace kz7

namespace kz7 {
namespace {

using linux_platform::DesktopSession;
using linux_platform::PointerDesktop;

TEST(DesktopChoice, EachSessionGetsTheBackendItsDesktopReads) {
    using D = PointerDesktop;
    const struct {
        const char* what;
        DesktopSession session;
        std::vector<PointerDesktop> expected;
    } cases[] = {
        {"Plasma on Wayland", {"KDE", "wayland", false, true, true}, {D::Kde}},
        {"Plasma on X11", {"KDE", "x11", false, true, false}, {D::Kde}},
        {"sway by name", {"sway", "wayland", true, true, true}, {D::Sway}},
        {"sway by name, no socket variable", {"sway", "", false, false, true}, {D::Sway}},
        {"a sway-compatible compositor", {"", "", true, false, true}, {D::Sway}},
        {"a sway-compatible compositor named otherwise", {"Wayfire", "wayland", true, true, true}, {D::Sway}},
        {"GNOME on Wayland", {"GNOME", "wayland", false, true, true}, {D::GSettings}},
        {"Ubuntu's GNOME on X11", {"ubuntu:GNOME", "x11", false, true, false}, {D::GSettings, D::Xinput}},
        {"Budgie", {"Budgie:GNOME", "x11", false, true, false}, {D::GSettings, D::Xinput}},
        {"GNOME wins over a stray sway socket", {"GNOME", "wayland", true, false, true}, {D::GSettings}},
        {"the case of the name does not matter", {"kde", "", false, false, false}, {D::Kde}},
        {"XFCE on X11", {"XFCE", "x11", false, true, false}, {D::Xinput}},
        {"a bare X11 session", {"", "", false, true, false}, {D::Xinput}},
        {"i3", {"i3", "x11", false, true, false}, {D::Xinput}},
        {"an unknown Wayland compositor with Xwayland", {"Hyprland", "wayland", false, true, true}, {D::GSettings}},
        {"Xwayland without WAYLAND_DISPLAY", {"", "wayland", false, true, false}, {D::GSettings}},
        {"no display at all", {"", "", false, false, false}, {D::GSettings}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linux_platform::PointerDesktopCandidates(c.session), c.expected) << c.what;
}

TEST(DesktopChoice, TheSessionIsReadFromTheEnvironment) {
    const char* const names[] = {"XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE", "SWAYSOCK", "WAYLAND_DISPLAY", "DISPLAY"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    setenv("XDG_CURRENT_DESKTOP", "sway", 1);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    setenv("SWAYSOCK", "/run/user/1000/sway-ipc.sock", 1);
    setenv("WAYLAND_DISPLAY", "wayland-1", 1);
    setenv("DISPLAY", "", 1);  // set but empty counts as unset
    const DesktopSession session = DesktopSession::FromEnvironment();
    EXPECT_EQ(session.currentDesktop, "sway");
    EXPECT_EQ(session.sessionType, "wayland");
    EXPECT_TRUE(session.swaySocket);
    EXPECT_TRUE(session.waylandDisplay);
    EXPECT_FALSE(session.x11Display);
    EXPECT_EQ(linux_platform::MakeDesktopPointerBackend()->Name(), "sway");
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i]) setenv(names[i], saved[i]->c_str(), 1);
        else unsetenv(names[i]);
    }
}

}  // namespace
}  // namespace kz7
