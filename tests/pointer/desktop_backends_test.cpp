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

    // The missing wheel setting was told once, not on every Apply.
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, UnsupportedSettingMessage(PointerSetting::WheelLines, backend->Name()));
}

class KdeBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("kz7-kde-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        backend = linux_platform::MakeKdePointerBackend(dir, [this] { ++notifications; });
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
    Write("kcminputrc", "[Mouse]\nPointerAcceleration=-1\nPointerAccelerationProfile=1\n");
    EXPECT_EQ(backend->ReadWheelLines(), 7u);
    EXPECT_EQ(backend->ReadDoubleClickMs(), 650u);
    EXPECT_EQ(backend->ReadSpeed(), 1);
    EXPECT_EQ(backend->ReadPrecision(), false);
    Write("kcminputrc", "[Mouse]\nX11LibInputXAccelProfileFlat=true\nPointerAcceleration=junk\n");
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
    const IniFile input = IniFile::Load(dir / "kcminputrc");
    EXPECT_EQ(input.Get("Mouse", "PointerAccelerationProfile"), "1");
    EXPECT_EQ(input.Get("Mouse", "X11LibInputXAccelProfileFlat"), "true");
    EXPECT_EQ(input.Get("Mouse", "PointerAcceleration"), "1");
    EXPECT_EQ(backend->ReadSpeed(), 20);
    EXPECT_EQ(backend->ReadPrecision(), false);
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
              UnsupportedSettingMessage(PointerSetting::ScrollOneScreen, "KDE Plasma"));
    EXPECT_EQ(IniFile::Load(dir / "kdeglobals").Get("KDE", "WheelScrollLines"), std::nullopt);
    EXPECT_EQ(backend->ReadDoubleClickMs(), 550u);
}

TEST_F(KdeBackendTest, ZeroWheelLinesAreRefusedAndReportedNotRoundedUp) {
    Write("kdeglobals", "[KDE]\nWheelScrollLines=7\n");
    RecordingPrompter prompter;
    SystemPointer pointer(*backend, prompter);
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
