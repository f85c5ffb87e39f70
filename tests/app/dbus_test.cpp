#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <vector>

#include "app/activation.h"
#include "app/notifier.h"
#include "app/qt_notifiers.h"
#include "qt_app_fixture.h"

namespace kz7 {
namespace {

using namespace std::chrono_literals;

// A notification server that records every Notify call and answers with id 42.
class FakeNotificationServer : public QDBusVirtualObject {
public:
    explicit FakeNotificationServer(QDBusConnection connection) : connection_(connection) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
        if (message.member() != QStringLiteral("Notify")) return false;
        calls.push_back(message.arguments());
        connection_.send(message.createReply(QVariant::fromValue(42u)));
        return true;
    }
    std::vector<QList<QVariant>> calls;

private:
    QDBusConnection connection_;
};

// A private session bus for this test program.
class DbusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::TestApplication();
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) return;
        bus_ = new QProcess;
        bus_->start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                             QStringLiteral("--print-address=1")});
        if (!bus_->waitForStarted(5000) || !bus_->waitForReadyRead(5000)) return;
        address_ = QString::fromUtf8(bus_->readLine()).trimmed();
        // Every connection of this process now goes to the private bus.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    }
    static void TearDownTestSuite() {
        if (bus_) {
            bus_->kill();
            bus_->waitForFinished();
            delete bus_;
            bus_ = nullptr;
        }
    }
    void SetUp() override {
        if (address_.isEmpty() || !QDBusConnection::sessionBus().isConnected()) {
            GTEST_SKIP() << "no dbus-daemon for a private session bus";
        }
    }

    static inline QProcess* bus_ = nullptr;
    static inline QString address_;
};

TEST_F(DbusTest, NotificationsReachTheServerReplaceTheLastAndAreNotRepeated) {
    QDBusConnection server = QDBusConnection::connectToBus(address_, QStringLiteral("fake-server"));
    ASSERT_TRUE(server.isConnected());
    FakeNotificationServer fake(server);
    ASSERT_TRUE(server.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &fake));
    ASSERT_TRUE(server.registerService(QStringLiteral("org.freedesktop.Notifications")));

    DbusNotifier notifier(QStringLiteral("kz7"));
    notifier.Notify("Warning", "The system did not detect the gaming mouse!", 100);
    ASSERT_TRUE(testing::SpinUntil([&] { return fake.calls.size() == 1; }));
    const QList<QVariant>& first = fake.calls[0];
    ASSERT_EQ(first.size(), 8);
    EXPECT_EQ(first[0].toString(), QStringLiteral("kz7"));
    EXPECT_EQ(first[1].toUInt(), 0u);
    EXPECT_EQ(first[3].toString(), QStringLiteral("Warning"));
    EXPECT_EQ(first[4].toString(), QStringLiteral("The system did not detect the gaming mouse!"));
    EXPECT_EQ(first[7].toInt(), kShortestNotificationMs);

    // The second interface of the same mouse reports the same thing at once.
    notifier.Notify("Warning", "The system did not detect the gaming mouse!", 100);
    testing::SpinFor(200ms);
    EXPECT_EQ(fake.calls.size(), 1u);

    notifier.Notify("Info", "Switch to key matrix 2", 5000);
    ASSERT_TRUE(testing::SpinUntil([&] { return fake.calls.size() == 2; }));
    EXPECT_EQ(fake.calls[1][1].toUInt(), 42u);  // replaces the previous message
    EXPECT_EQ(fake.calls[1][7].toInt(), 5000);

    server.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-server"));
}

TEST_F(DbusTest, ASecondStartAsksTheRunningCopyToShowItself) {
    int activations = 0;
    ActivationService service([&] { ++activations; });
    ASSERT_TRUE(service.Register());
    AskRunningCopyToActivate();
    EXPECT_TRUE(testing::SpinUntil([&] { return activations == 1; }));
    QDBusConnection::sessionBus().unregisterService(QString::fromLatin1(kActivationService));
    QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(kActivationPath));
}

}  // namespace
}  // namespace kz7
