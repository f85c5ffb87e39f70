#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/linux/pointer_backends.h"

namespace kz7::linux_platform {
namespace {

constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";
constexpr const char* kSpeedKey = "speed";
constexpr const char* kProfileKey = "accel-profile";
constexpr const char* kDoubleClickKey = "double-click";

class GSettingsPointerBackend final : public PointerBackend {
public:
    GSettingsPointerBackend(GSettingsSchema* schema, std::string name)
        : name_(name.empty() ? std::string("this desktop") : std::move(name)),
          settings_(g_settings_new_full(schema, nullptr, nullptr)),
          hasSpeed_(g_settings_schema_has_key(schema, kSpeedKey)),
          hasProfile_(g_settings_schema_has_key(schema, kProfileKey)),
          hasDoubleClick_(g_settings_schema_has_key(schema, kDoubleClickKey)) {}
    ~GSettingsPointerBackend() override {
        g_settings_sync();
        g_object_unref(settings_);
    }
    GSettingsPointerBackend(const GSettingsPointerBackend&) = delete;
    GSettingsPointerBackend& operator=(const GSettingsPointerBackend&) = delete;

    std::string_view Name() const override { return name_; }

    bool Supports(PointerSetting setting) const override {
        switch (setting) {
            case PointerSetting::Precision: return hasProfile_;
            case PointerSetting::Speed: return hasSpeed_;
            case PointerSetting::DoubleClickTime: return hasDoubleClick_;
            case PointerSetting::WheelLines:
            case PointerSetting::ScrollOneScreen: return false;
        }
        return false;
    }

    std::optional<bool> ReadPrecision() override {
        if (!hasProfile_) return std::nullopt;
        gchar* profile = g_settings_get_string(settings_, kProfileKey);
        // "default" is the device's own profile, which for a mouse is adaptive.
        const bool accelerated = std::strcmp(profile, "flat") != 0;
        g_free(profile);
        return accelerated;
    }
    std::optional<int> ReadSpeed() override {
        if (!hasSpeed_) return std::nullopt;
        return SpeedFromUnitSpeed(g_settings_get_double(settings_, kSpeedKey));
    }
    std::optional<std::uint32_t> ReadWheelLines() override { return std::nullopt; }
    std::optional<std::uint32_t> ReadDoubleClickMs() override {
        if (!hasDoubleClick_) return std::nullopt;
        const gint ms = g_settings_get_int(settings_, kDoubleClickKey);
        if (ms <= 0) return std::nullopt;
        return static_cast<std::uint32_t>(ms);
    }

    bool WritePrecision(bool on) override {
        return hasProfile_ && Written(g_settings_set_string(settings_, kProfileKey, on ? "adaptive" : "flat"));
    }
    bool WriteSpeed(int speed) override {
        return hasSpeed_ && Written(g_settings_set_double(settings_, kSpeedKey, UnitSpeedFromSpeed(speed)));
    }
    bool WriteWheelLines(std::uint32_t) override { return false; }
    bool WriteDoubleClickMs(std::uint32_t ms) override {
        if (!hasDoubleClick_ || ms > static_cast<std::uint32_t>(G_MAXINT)) return false;
        // The schema bounds the value; an out-of-range write is refused, not clamped.
        GSettingsSchemaKey* key = nullptr;
        GSettingsSchema* schema = nullptr;
        g_object_get(settings_, "settings-schema", &schema, nullptr);
        key = g_settings_schema_get_key(schema, kDoubleClickKey);
        GVariant* value = g_variant_ref_sink(g_variant_new_int32(static_cast<gint32>(ms)));
        const bool inRange = g_settings_schema_key_range_check(key, value);
        g_variant_unref(value);
        g_settings_schema_key_unref(key);
        g_settings_schema_unref(schema);
        return inRange && Written(g_settings_set_int(settings_, kDoubleClickKey, static_cast<gint>(ms)));
    }

private:
    static bool Written(gboolean ok) {
        if (!ok) return false;
        g_settings_sync();
        return true;
    }

    std::string name_;
    GSettings* settings_;
    bool hasSpeed_;
    bool hasProfile_;
    bool hasDoubleClick_;
};

}  // namespace

namespace {

// Without dconf, GIO quietly keeps settings in a private key file or in this
// process's memory, where the desktop never sees them. Only an explicit
// GSETTINGS_BACKEND (as tests set "memory") is taken at its word.
bool SettingsReachTheDesktop() {
    const char* requested = std::getenv("GSETTINGS_BACKEND");
    if (requested != nullptr && *requested != '\0') return true;
    GSettingsBackend* backend = g_settings_backend_get_default();
    const std::string_view type = G_OBJECT_TYPE_NAME(backend);
    const bool private_store = type == "GMemorySettingsBackend" || type == "GKeyfileSettingsBackend" ||
                               type == "GNullSettingsBackend";
    g_object_unref(backend);
    return !private_store;
}

}  // namespace

std::unique_ptr<PointerBackend> MakeGSettingsPointerBackend(std::string desktopName) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kMouseSchema, TRUE);
    if (schema == nullptr) return nullptr;
    if (!SettingsReachTheDesktop()) {
        g_settings_schema_unref(schema);
        return nullptr;
    }
    auto backend = std::make_unique<GSettingsPointerBackend>(schema, std::move(desktopName));
    g_settings_schema_unref(schema);
    return backend;
}

}  // namespace kz7::linux_platform
