// The desktop's word goes over a real session bus: a private dbus-daemon, and on a second
// connection to it a stand-in for the desktop's notification service and task bar, as a
// notification daemon and a dock would listen.
#include "platform/os/DesktopNotifications.h"
#include "support/PrivateSessionBus.h"

#include <QDBusArgument>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

namespace {

// The task bar: keeps the properties of every launcher entry update it hears.
class TaskBar : public QObject {
    Q_OBJECT
public:
    std::vector<QVariantMap> updates;
public slots:
    void Update(const QString&, const QVariantMap& properties) { updates.push_back(properties); }
};

class DesktopNotificationsTest : public ::testing::Test {
protected:
    // One bus for the suite: the program's session bus connection is made once per process.
    static void SetUpTestSuite() { bus_ = new PrivateSessionBus; }
    static void TearDownTestSuite()
    {
        delete bus_;
        bus_ = nullptr;
    }
    void SetUp() override { ASSERT_FALSE(bus_->Address().isEmpty()) << "dbus-daemon did not start"; }

    static inline PrivateSessionBus* bus_ = nullptr;
};

TEST_F(DesktopNotificationsTest, ANotificationReachesTheDesktopsServiceNamedForTheProgram)
{
    QDBusConnection desktop = bus_->Desktop(QStringLiteral("desktop-notify"));
    FakeNotificationService service;
    ASSERT_TRUE(service.Register(desktop));

    DesktopNotifications::Notify("Encoding finished", "concert.mp3 is ready");

    ASSERT_TRUE(SpinUntil([&] { return !service.calls.empty(); }));
    const QList<QVariant> args = service.calls.front().arguments();
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[0].toString(), "Mervane");
    EXPECT_EQ(args[3].toString(), "Encoding finished");
    EXPECT_EQ(args[4].toString(), "concert.mp3 is ready");
    EXPECT_EQ(qdbus_cast<QVariantMap>(args[6]).value("desktop-entry").toString(), "io.github.mervane.Mervane");
    EXPECT_EQ(service.calls.size(), 1u);
    desktop.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
}

TEST_F(DesktopNotificationsTest, WithNoServiceListeningNothingWaitsAndTheTaskBarHearsProgress)
{
    QDBusConnection desktop = bus_->Desktop(QStringLiteral("desktop-bar"));
    TaskBar bar;
    ASSERT_TRUE(desktop.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                QStringLiteral("Update"), &bar, SLOT(Update(QString, QVariantMap))));
    // Nobody owns the notification service on this bus: the call must come back at once.
    QDeadlineTimer quick(1000);
    DesktopNotifications::Notify("Encoding finished", "nobody hears this");
    EXPECT_FALSE(quick.hasExpired());

    DesktopNotifications::ShowProgress(0.25);
    DesktopNotifications::HideProgress();
    ASSERT_TRUE(SpinUntil([&] { return bar.updates.size() >= 2; }));
    EXPECT_DOUBLE_EQ(bar.updates[0].value("progress").toDouble(), 0.25);
    EXPECT_TRUE(bar.updates[0].value("progress-visible").toBool());
    EXPECT_FALSE(bar.updates[1].value("progress-visible").toBool());
}

}  // namespace

#include "DesktopNotificationsTest.moc"
