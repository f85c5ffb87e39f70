// KWin's pointer devices over D-Bus, against a stand-in KWin on a private
// session bus: the same object paths, interfaces and properties.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/pointer_backends.h"
#include "pointer/pointer_settings.h"

namespace kz7 {
namespace {

constexpr const char* kIntrospection = R"xml(
<node>
  <interface name="org.kde.KWin.InputDeviceManager">
    <property name="devicesSysNames" type="as" access="read"/>
  </interface>
  <interface name="org.kde.KWin.InputDevice">
    <property name="name" type="s" access="read"/>
    <property name="pointer" type="b" access="read"/>
    <property name="touchpad" type="b" access="read"/>
    <property name="supportsPointerAcceleration" type="b" access="read"/>
    <property name="supportsPointerAccelerationProfileFlat" type="b" access="read"/>
    <property name="supportsPointerAccelerationProfileAdaptive" type="b" access="read"/>
    <property name="pointerAcceleration" type="d" access="readwrite"/>
    <property name="pointerAccelerationProfileFlat" type="b" access="readwrite"/>
    <property name="pointerAccelerationProfileAdaptive" type="b" access="readwrite"/>
  </interface>
</node>)xml";

struct Device {
    bool pointer = true;
    bool touchpad = false;
    bool supportsAcceleration = true;
    bool supportsFlat = true;
    bool supportsAdaptive = true;
    double acceleration = 0;
    bool flat = false;
    bool adaptive = true;
};

// KWin as far as the mouse settings are concerned, served from a thread of
// its own so that the backend's blocking calls get answers.
class FakeKwin {
public:
    std::map<std::string, Device> devices;  // by sysName, in listing order of the map

    ~FakeKwin() { Stop(); }

    void Start(const std::string& address) {
        thread_ = std::thread([this, address] { Serve(address); });
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return state_ != State::Starting; });
    }
    bool Serving() {
        std::lock_guard lock(mutex_);
        return state_ == State::Serving;
    }
    void Stop() {
        if (!thread_.joinable()) return;
        if (context_) {
            const auto quit = [](gpointer loop) -> gboolean {
                g_main_loop_quit(static_cast<GMainLoop*>(loop));
                return G_SOURCE_REMOVE;
            };
            g_main_context_invoke(context_, quit, loop_);
        }
        thread_.join();
    }
    Device Get(const std::string& sysName) {
        std::lock_guard lock(mutex_);
        return devices.at(sysName);
    }
    std::vector<std::string> Sets() {
        std::lock_guard lock(mutex_);
        return sets_;
    }

private:
    enum class State { Starting, Serving, Failed };

    static GVariant* GetProperty(GDBusConnection*, const gchar*, const gchar* path, const gchar* interface,
                                 const gchar* property, GError**, gpointer self) {
        return static_cast<FakeKwin*>(self)->Property(path, interface, property);
    }
    static gboolean SetProperty(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* property,
                                GVariant* value, GError** error, gpointer self) {
        if (static_cast<FakeKwin*>(self)->Change(path, property, value)) return TRUE;
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_FAILED, "refused");
        return FALSE;
    }

    GVariant* Property(const std::string& path, const std::string& interface, const std::string& property) {
        std::lock_guard lock(mutex_);
        if (interface == "org.kde.KWin.InputDeviceManager") {
            std::vector<const char*> names;
            for (const auto& [name, device] : devices) names.push_back(name.c_str());
            return g_variant_new_strv(names.data(), static_cast<gssize>(names.size()));
        }
        const Device& d = devices.at(path.substr(path.rfind('/') + 1));
        if (property == "name") return g_variant_new_string("Gaming Mouse");
        if (property == "pointer") return g_variant_new_boolean(d.pointer);
        if (property == "touchpad") return g_variant_new_boolean(d.touchpad);
        if (property == "supportsPointerAcceleration") return g_variant_new_boolean(d.supportsAcceleration);
        if (property == "supportsPointerAccelerationProfileFlat") return g_variant_new_boolean(d.supportsFlat);
        if (property == "supportsPointerAccelerationProfileAdaptive") return g_variant_new_boolean(d.supportsAdaptive);
        if (property == "pointerAcceleration") return g_variant_new_double(d.acceleration);
        if (property == "pointerAccelerationProfileFlat") return g_variant_new_boolean(d.flat);
        if (property == "pointerAccelerationProfileAdaptive") return g_variant_new_boolean(d.adaptive);
        return nullptr;
    }

    bool Change(const std::string& path, const std::string& property, GVariant* value) {
        std::lock_guard lock(mutex_);
        const std::string sysName = path.substr(path.rfind('/') + 1);
        Device& d = devices.at(sysName);
        if (property == "pointerAcceleration") {
            d.acceleration = g_variant_get_double(value);
            sets_.push_back(sysName + " " + property + " " + std::to_string(d.acceleration));
            return true;
        }
        const bool on = g_variant_get_boolean(value) != FALSE;
        if (property == "pointerAccelerationProfileFlat" && on) d.flat = true, d.adaptive = false;
        if (property == "pointerAccelerationProfileAdaptive" && on) d.adaptive = true, d.flat = false;
        sets_.push_back(sysName + " " + property + " " + (on ? "true" : "false"));
        return true;
    }

    void Serve(const std::string& address) {
        GMainContext* context = g_main_context_new();
        g_main_context_push_thread_default(context);
        GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
        bool ok = bus != nullptr && node != nullptr;
        std::vector<guint> registrations;
        static const GDBusInterfaceVTable vtable = {nullptr, GetProperty, SetProperty, {}};
        if (ok) {
            registrations.push_back(g_dbus_connection_register_object(
                bus, "/org/kde/KWin/InputDevice", node->interfaces[0], &vtable, this, nullptr, nullptr));
            std::vector<std::string> names;
            {
                std::lock_guard lock(mutex_);
                for (const auto& [name, device] : devices) names.push_back(name);
            }
            for (const std::string& name : names)
                registrations.push_back(g_dbus_connection_register_object(
                    bus, ("/org/kde/KWin/InputDevice/" + name).c_str(), node->interfaces[1], &vtable, this, nullptr,
                    nullptr));
            GVariant* owned = g_dbus_connection_call_sync(
                bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                g_variant_new("(su)", "org.kde.KWin", 4u), G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 5000,
                nullptr, nullptr);
            ok = owned != nullptr;
            if (owned) g_variant_unref(owned);
        }
        GMainLoop* loop = g_main_loop_new(context, FALSE);
        {
            std::lock_guard lock(mutex_);
            context_ = context;
            loop_ = loop;
            state_ = ok ? State::Serving : State::Failed;
        }
        ready_.notify_all();
        if (ok) g_main_loop_run(loop);
        for (const guint id : registrations) g_dbus_connection_unregister_object(bus, id);
        if (bus) {
            g_dbus_connection_close_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
        if (node) g_dbus_node_info_unref(node);
        g_main_loop_unref(loop);
        g_main_context_pop_thread_default(context);
        g_main_context_unref(context);
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ready_;
    State state_ = State::Starting;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    std::vector<std::string> sets_;
};

class KwinBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_up(bus_);
        const gchar* address = g_test_dbus_get_bus_address(bus_);
        if (address == nullptr) GTEST_SKIP() << "no dbus-daemon for a private session bus";
        address_ = address;
        // Listed in name order: a touchpad first, then two mice.
        kwin.devices["event2"] = Device{true, true, true, true, true, 0.8, false, true};
        kwin.devices["event4"] = Device{true, false, true, true, true, 0.5, true, false};
        kwin.devices["event6"] = Device{true, false, true, true, false, 0.0, true, false};
        kwin.devices["event9"] = Device{false, false, false, false, false, 0.0, false, false};  // a keyboard
    }
    void TearDown() override {
        backend.reset();
        kwin.Stop();
        if (bus_) {
            g_test_dbus_down(bus_);
            g_object_unref(bus_);
        }
    }
    void StartKwin() {
        kwin.Start(address_);
        ASSERT_TRUE(kwin.Serving());
    }

    GTestDBus* bus_ = nullptr;
    std::string address_;
    FakeKwin kwin;
    std::unique_ptr<PointerBackend> backend;
};

TEST_F(KwinBackendTest, ReadsTheFirstMouseAndSetsEveryMouseButNotTheTouchpad) {
    StartKwin();
    backend = linux_platform::MakeKwinPointerBackend();
    EXPECT_EQ(backend->ReadSpeed(), SpeedFromUnitSpeed(0.5));
    EXPECT_EQ(backend->ReadPrecision(), false);

    EXPECT_TRUE(backend->WriteSpeed(20));
    EXPECT_TRUE(backend->WritePrecision(true));
    EXPECT_EQ(kwin.Sets(), (std::vector<std::string>{"event4 pointerAcceleration 1.000000",
                                                     "event6 pointerAcceleration 1.000000",
                                                     // event6 has no adaptive profile to switch to
                                                     "event4 pointerAccelerationProfileAdaptive true"}));
    EXPECT_EQ(kwin.Get("event2").acceleration, 0.8);  // the touchpad keeps its own
    EXPECT_TRUE(kwin.Get("event4").adaptive);
    EXPECT_EQ(backend->ReadPrecision(), true);
    EXPECT_EQ(backend->ReadSpeed(), 20);

    EXPECT_TRUE(backend->WritePrecision(false));
    EXPECT_TRUE(kwin.Get("event4").flat);
}

TEST_F(KwinBackendTest, WithoutKWinNothingIsReadOrWritten) {
    backend = linux_platform::MakeKwinPointerBackend();
    EXPECT_EQ(backend->ReadSpeed(), std::nullopt);
    EXPECT_EQ(backend->ReadPrecision(), std::nullopt);
    EXPECT_FALSE(backend->WriteSpeed(10));
    EXPECT_FALSE(backend->WritePrecision(true));
}

TEST_F(KwinBackendTest, WithoutMiceTheWritesFail) {
    kwin.devices.erase("event4");
    kwin.devices.erase("event6");
    StartKwin();
    backend = linux_platform::MakeKwinPointerBackend();
    EXPECT_EQ(backend->ReadSpeed(), std::nullopt);
    EXPECT_FALSE(backend->WriteSpeed(10));
    EXPECT_FALSE(backend->WritePrecision(false));
    EXPECT_TRUE(kwin.Sets().empty());
}

}  // namespace
}  // namespace kz7
