// Plasma on Wayland: KWin owns the input devices. Its per-device D-Bus
// properties are what the mouse settings module itself sets; KWin applies
// them at once and keeps them in kcminputrc ([Libinput][vendor][product][name]).
#include <gio/gio.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/pointer_backends.h"

namespace kz7::linux_platform {
namespace {

constexpr const char* kService = "org.kde.KWin";
constexpr const char* kManagerPath = "/org/kde/KWin/InputDevice";
constexpr const char* kManagerInterface = "org.kde.KWin.InputDeviceManager";
constexpr const char* kDeviceInterface = "org.kde.KWin.InputDevice";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr int kCallTimeoutMs = 2000;

class KwinPointerBackend final : public PointerBackend {
public:
    KwinPointerBackend() {
        // Only a session that has a bus: none is started for this.
        if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr)
            bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    }
    ~KwinPointerBackend() override {
        if (bus_) g_object_unref(bus_);
    }
    KwinPointerBackend(const KwinPointerBackend&) = delete;
    KwinPointerBackend& operator=(const KwinPointerBackend&) = delete;

    std::string_view Name() const override { return "KWin"; }
    bool Supports(PointerSetting setting) const override {
        return setting == PointerSetting::Speed || setting == PointerSetting::Precision;
    }

    std::optional<bool> ReadPrecision() override {
        for (const std::string& path : Mice()) {
            if (Bool(path, "pointerAccelerationProfileAdaptive").value_or(false)) return true;
            if (Bool(path, "pointerAccelerationProfileFlat").value_or(false)) return false;
        }
        return std::nullopt;
    }
    std::optional<int> ReadSpeed() override {
        for (const std::string& path : Mice()) {
            if (!Bool(path, "supportsPointerAcceleration").value_or(false)) continue;
            GVariant* value = Get(path, kDeviceInterface, "pointerAcceleration");
            if (!value) continue;
            std::optional<int> speed;
            if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE))
                speed = SpeedFromUnitSpeed(g_variant_get_double(value));
            g_variant_unref(value);
            if (speed) return speed;
        }
        return std::nullopt;
    }
    std::optional<std::uint32_t> ReadWheelLines() override { return std::nullopt; }
    std::optional<std::uint32_t> ReadDoubleClickMs() override { return std::nullopt; }

    bool WritePrecision(bool on) override {
        const char* property = on ? "pointerAccelerationProfileAdaptive" : "pointerAccelerationProfileFlat";
        const char* supported =
            on ? "supportsPointerAccelerationProfileAdaptive" : "supportsPointerAccelerationProfileFlat";
        return ForEveryMouse(supported, property, [] { return g_variant_new_boolean(TRUE); });
    }
    bool WriteSpeed(int speed) override {
        const double factor = UnitSpeedFromSpeed(speed);
        return ForEveryMouse("supportsPointerAcceleration", "pointerAcceleration",
                             [factor] { return g_variant_new_double(factor); });
    }
    bool WriteWheelLines(std::uint32_t) override { return false; }
    bool WriteDoubleClickMs(std::uint32_t) override { return false; }

private:
    // A property's value, or null when KWin is not there or has no such property.
    GVariant* Get(const std::string& path, const char* interface, const char* property) {
        if (!bus_) return nullptr;
        GVariant* reply = g_dbus_connection_call_sync(bus_, kService, path.c_str(), kProperties, "Get",
                                                      g_variant_new("(ss)", interface, property),
                                                      G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NO_AUTO_START,
                                                      kCallTimeoutMs, nullptr, nullptr);
        if (!reply) return nullptr;
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        g_variant_unref(reply);
        return value;
    }
    std::optional<bool> Bool(const std::string& path, const char* property) {
        GVariant* value = Get(path, kDeviceInterface, property);
        if (!value) return std::nullopt;
        std::optional<bool> result;
        if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN)) result = g_variant_get_boolean(value) != FALSE;
        g_variant_unref(value);
        return result;
    }
    bool Set(const std::string& path, const char* property, GVariant* value) {
        GVariant* reply = g_dbus_connection_call_sync(bus_, kService, path.c_str(), kProperties, "Set",
                                                      g_variant_new("(ssv)", kDeviceInterface, property, value),
                                                      nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs,
                                                      nullptr, nullptr);
        if (!reply) return false;
        g_variant_unref(reply);
        return true;
    }

    // The object paths of the mice: pointers that are not touchpads, as the
    // mouse settings module picks them.
    std::vector<std::string> Mice() {
        std::vector<std::string> mice;
        GVariant* names = Get(kManagerPath, kManagerInterface, "devicesSysNames");
        if (!names) return mice;
        if (g_variant_is_of_type(names, G_VARIANT_TYPE_STRING_ARRAY)) {
            gsize count = 0;
            const gchar** list = g_variant_get_strv(names, &count);
            for (gsize i = 0; i < count; ++i) {
                const std::string path = std::string(kManagerPath) + "/" + list[i];
                if (!g_variant_is_object_path(path.c_str())) continue;
                if (Bool(path, "pointer").value_or(false) && !Bool(path, "touchpad").value_or(true))
                    mice.push_back(path);
            }
            g_free(list);
        }
        g_variant_unref(names);
        return mice;
    }

    // Sets `property` on every mouse that supports it; false when there is
    // none or any refused. Every mouse is tried.
    template <typename MakeValue>
    bool ForEveryMouse(const char* supported, const char* property, MakeValue makeValue) {
        bool tried = false;
        bool ok = true;
        for (const std::string& path : Mice()) {
            if (!Bool(path, supported).value_or(false)) continue;
            tried = true;
            ok = Set(path, property, makeValue()) && ok;
        }
        return tried && ok;
    }

    GDBusConnection* bus_ = nullptr;
};

}  // namespace

std::unique_ptr<PointerBackend> MakeKwinPointerBackend() { return std::make_unique<KwinPointerBackend>(); }

}  // namespace kz7::linux_platform
