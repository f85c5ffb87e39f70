#include <gio/gio.h>

#include <charconv>
#include <cstdlib>
#include <memory>
#include <string>

#include "ini/ini_file.h"
#include "platform/linux/pointer_backends.h"

namespace kz7::linux_platform {
namespace {

// Plasma's own defaults, used when a key has never been written.
constexpr std::uint32_t kPlasmaWheelLines = 3;
constexpr std::uint32_t kPlasmaDoubleClickMs = 400;

constexpr std::string_view kGlobalsGroup = "KDE";
constexpr std::string_view kWheelLinesKey = "WheelScrollLines";
constexpr std::string_view kDoubleClickKey = "DoubleClickInterval";
// What the mouse settings module keeps for X11 with libinput, and what
// kcminit puts on every mouse at login.
constexpr std::string_view kMouseGroup = "Mouse";
constexpr std::string_view kX11AccelerationKey = "XLbInptPointerAcceleration";
constexpr std::string_view kX11FlatKey = "XLbInptAccelProfileFlat";
// The X server's own default profile, recorded by the module at start.
constexpr std::string_view kX11DefaultFlatKey = "X11LibInputXAccelProfileFlat";

// Tells running KDE programs that the mouse settings changed
// (KGlobalSettings::SettingsChanged for the mouse category), as the settings
// modules do. Qt programs on the KDE platform theme reread the double-click
// interval and wheel lines from kdeglobals; KWin on Wayland rereads
// kcminputrc and reapplies each pointer's own settings. Only when a session
// bus is there: no bus is started for it.
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
    KdePointerBackend(const std::filesystem::path& configDir, PlasmaSession session,
                      std::function<void()> notifyChanged, std::unique_ptr<PointerBackend> pointerDevices)
        : globals_(configDir / "kdeglobals"),
          input_(configDir / "kcminputrc"),
          session_(session),
          notifyChanged_(notifyChanged ? std::move(notifyChanged) : std::function<void()>(NotifyPlasma)),
          devices_(std::move(pointerDevices)) {}

    std::string_view Name() const override { return "KDE Plasma"; }

    bool Supports(PointerSetting setting) const override {
        return setting != PointerSetting::ScrollOneScreen;
    }

    std::string_view Caveat() const override {
        if (session_ == PlasmaSession::Wayland) return {};
        return "On X11, mouse speed and pointer precision change at once where xinput is installed, otherwise at "
               "the next login.";
    }

    // Speed and precision: on Wayland what KWin has, on X11 what the mice
    // have now, else what the next login will give them.
    std::optional<bool> ReadPrecision() override {
        if (const auto live = devices_->ReadPrecision()) return live;
        if (session_ == PlasmaSession::Wayland) return std::nullopt;
        const IniFile file = IniFile::Load(input_);
        if (const auto flat = file.Get(kMouseGroup, kX11FlatKey)) return *flat != "true";
        if (const auto flat = file.Get(kMouseGroup, kX11DefaultFlatKey)) return *flat != "true";
        return true;  // adaptive unless told otherwise
    }

    std::optional<int> ReadSpeed() override {
        if (const auto live = devices_->ReadSpeed()) return live;
        if (session_ == PlasmaSession::Wayland) return std::nullopt;
        const IniFile file = IniFile::Load(input_);
        const auto text = file.Get(kMouseGroup, kX11AccelerationKey);
        if (!text) return kDefaultPointerSpeed;
        const auto factor = ParseDouble(*text);
        if (!factor) return std::nullopt;
        return SpeedFromUnitSpeed(*factor);
    }

    // On Wayland KWin applies and keeps them itself. On X11 they go to
    // kcminputrc for every later login and to the mice of this session as
    // far as xinput can reach them.
    bool WritePrecision(bool on) override {
        if (session_ == PlasmaSession::Wayland) return devices_->WritePrecision(on);
        const bool kept =
            Update(input_, [on](IniFile& file) { file.Set(kMouseGroup, kX11FlatKey, on ? "false" : "true"); });
        if (kept) devices_->WritePrecision(on);
        return kept;
    }
    bool WriteSpeed(int speed) override {
        if (session_ == PlasmaSession::Wayland) return devices_->WriteSpeed(speed);
        const bool kept = Update(input_, [speed](IniFile& file) {
            file.Set(kMouseGroup, kX11AccelerationKey, FormatDouble(UnitSpeedFromSpeed(speed)));
        });
        if (kept) devices_->WriteSpeed(speed);
        return kept;
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
    PlasmaSession session_;
    std::function<void()> notifyChanged_;
    std::unique_ptr<PointerBackend> devices_;
};

}  // namespace

std::unique_ptr<PointerBackend> MakeKdePointerBackend(const std::filesystem::path& configDir, PlasmaSession session,
                                                      std::function<void()> notifyChanged,
                                                      std::unique_ptr<PointerBackend> pointerDevices) {
    if (!pointerDevices)
        pointerDevices = session == PlasmaSession::Wayland ? MakeKwinPointerBackend() : MakeXinputPointerBackend();
    return std::make_unique<KdePointerBackend>(configDir, session, std::move(notifyChanged),
                                               std::move(pointerDevices));
}

}  // namespace kz7::linux_platform
