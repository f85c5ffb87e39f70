#include <gio/gio.h>

#include <charconv>
#include <cstdlib>
#include <string>

#include "ini/ini_file.h"
#include "platform/linux/pointer_backends.h"

namespace kz7::linux_platform {
namespace {

// Plasma's own defaults, used when a key has never been written.
constexpr std::uint32_t kPlasmaWheelLines = 3;
constexpr std::uint32_t kPlasmaDoubleClickMs = 400;
constexpr int kProfileFlat = 1;
constexpr int kProfileAdaptive = 2;

constexpr std::string_view kGlobalsGroup = "KDE";
constexpr std::string_view kWheelLinesKey = "WheelScrollLines";
constexpr std::string_view kDoubleClickKey = "DoubleClickInterval";
constexpr std::string_view kMouseGroup = "Mouse";
constexpr std::string_view kAccelerationKey = "PointerAcceleration";
constexpr std::string_view kProfileKey = "PointerAccelerationProfile";
constexpr std::string_view kX11FlatKey = "X11LibInputXAccelProfileFlat";

// Tells running KDE programs that the mouse settings changed
// (KGlobalSettings::SettingsChanged for the mouse category). Only when a
// session bus is there: no bus is started for it.
void NotifyPlasma() {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) return;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) return;
    constexpr gint32 kSettingsChanged = 3;
    constexpr gint32 kMouseCategory = 0;
    g_dbus_connection_emit_signal(bus, nullptr, "/KGlobalSettings", "org.kde.KGlobalSettings",
                                  "notifyChange", g_variant_new("(ii)", kSettingsChanged, kMouseCategory),
                                  nullptr);
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
}

std::optional<double> ParseDouble(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

std::string FormatDouble(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

class KdePointerBackend final : public PointerBackend {
public:
    KdePointerBackend(const std::filesystem::path& configDir, std::function<void()> notifyChanged)
        : globals_(configDir / "kdeglobals"),
          input_(configDir / "kcminputrc"),
          notifyChanged_(notifyChanged ? std::move(notifyChanged) : std::function<void()>(NotifyPlasma)) {}

    std::string_view Name() const override { return "KDE Plasma"; }

    bool Supports(PointerSetting setting) const override {
        return setting != PointerSetting::ScrollOneScreen;
    }

    std::optional<bool> ReadPrecision() override {
        const IniFile file = IniFile::Load(input_);
        if (file.Get(kMouseGroup, kProfileKey))
            return file.GetInt(kMouseGroup, kProfileKey, kProfileAdaptive) != kProfileFlat;
        if (const auto flat = file.Get(kMouseGroup, kX11FlatKey)) return *flat != "true";
        return true;  // adaptive unless told otherwise
    }

    std::optional<int> ReadSpeed() override {
        const IniFile file = IniFile::Load(input_);
        const auto text = file.Get(kMouseGroup, kAccelerationKey);
        if (!text) return kDefaultPointerSpeed;
        const auto factor = ParseDouble(*text);
        if (!factor) return std::nullopt;
        return SpeedFromUnitSpeed(*factor);
    }

    std::optional<std::uint32_t> ReadWheelLines() override {
        const IniFile file = IniFile::Load(globals_);
        const int lines = file.GetInt(kGlobalsGroup, kWheelLinesKey, static_cast<int>(kPlasmaWheelLines));
        if (lines <= 0) return std::nullopt;
        return static_cast<std::uint32_t>(lines);
    }

    std::optional<std::uint32_t> ReadDoubleClickMs() override {
        const IniFile file = IniFile::Load(globals_);
        const int ms = file.GetInt(kGlobalsGroup, kDoubleClickKey, static_cast<int>(kPlasmaDoubleClickMs));
        if (ms <= 0) return std::nullopt;
        return static_cast<std::uint32_t>(ms);
    }

    bool WritePrecision(bool on) override {
        return Update(input_, [on](IniFile& file) {
            file.Set(kMouseGroup, kProfileKey, std::to_string(on ? kProfileAdaptive : kProfileFlat));
            file.Set(kMouseGroup, kX11FlatKey, on ? "false" : "true");
        });
    }
    bool WriteSpeed(int speed) override {
        return Update(input_, [speed](IniFile& file) {
            file.Set(kMouseGroup, kAccelerationKey, FormatDouble(UnitSpeedFromSpeed(speed)));
        });
    }
    bool WriteWheelLines(std::uint32_t lines) override {
        if (lines == kOneScreenPerNotch || lines == 0) return false;
        return Update(globals_, [lines](IniFile& file) {
            file.Set(kGlobalsGroup, kWheelLinesKey, std::to_string(lines));
        });
    }
    bool WriteDoubleClickMs(std::uint32_t ms) override {
        return Update(globals_, [ms](IniFile& file) {
            file.Set(kGlobalsGroup, kDoubleClickKey, std::to_string(ms));
        });
    }

private:
    template <typename Edit>
    bool Update(const std::filesystem::path& path, Edit edit) {
        std::optional<IniFile> file = IniFile::LoadForUpdate(path);
        if (!file) return false;
        edit(*file);
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
        if (file->Save(path) != 0) return false;
        notifyChanged_();
        return true;
    }

    std::filesystem::path globals_;
    std::filesystem::path input_;
    std::function<void()> notifyChanged_;
};

}  // namespace

std::unique_ptr<PointerBackend> MakeKdePointerBackend(const std::filesystem::path& configDir,
                                                      std::function<void()> notifyChanged) {
    return std::make_unique<KdePointerBackend>(configDir, std::move(notifyChanged));
}

}  // namespace kz7::linux_platform
