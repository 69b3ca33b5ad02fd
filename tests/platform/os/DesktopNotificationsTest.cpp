// The desktop's word goes over a real session bus: a private dbus-daemon, and on a second
// connection to it a stand-in for the desktop's notification service and task bar, as a
// notification daemon and a dock would listen.
#include "platform/os/DesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QProcess>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// The notification service: answers Notify with an id, as a daemon does, and keeps what came.
class NotificationService : public QDBusVirtualObject {
public:
    std::vector<QDBusMessage> calls;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("Notify"))
            return false;
        calls.push_back(message);
        connection.send(message.createReply(QVariantList{7u}));
        return true;
    }
};

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
    static void SetUpTestSuite()
    {
        daemon_ = new QProcess;
        daemon_->start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (daemon_->waitForStarted(5000) && daemon_->waitForReadyRead(5000))
            address_ = QString::fromUtf8(daemon_->readLine()).trimmed();
        // The program's own connection is the session bus, found through the environment.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    }
    static void TearDownTestSuite()
    {
        daemon_->kill();
        daemon_->waitForFinished();
        delete daemon_;
        daemon_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_FALSE(address_.isEmpty()) << "dbus-daemon did not start";
        desktop_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, QStringLiteral("desktop")));
        ASSERT_TRUE(desktop_->isConnected());
    }
    void TearDown() override
    {
        desktop_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
    }
    static bool spinUntil(const std::function<bool()>& done)
    {
        QDeadlineTimer deadline(5000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    static inline QProcess* daemon_ = nullptr;
    static inline QString address_;
    std::unique_ptr<QDBusConnection> desktop_;
};

TEST_F(DesktopNotificationsTest, ANotificationReachesTheDesktopsServiceNamedForTheProgram)
{
    NotificationService service;
    ASSERT_TRUE(desktop_->registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &service));
    ASSERT_TRUE(desktop_->registerService(QStringLiteral("org.freedesktop.Notifications")));

    DesktopNotifications::Notify("Encoding finished", "concert.mp3 is ready");

    ASSERT_TRUE(spinUntil([&] { return !service.calls.empty(); }));
    const QList<QVariant> args = service.calls.front().arguments();
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[0].toString(), "Mervane");
    EXPECT_EQ(args[3].toString(), "Encoding finished");
    EXPECT_EQ(args[4].toString(), "concert.mp3 is ready");
    EXPECT_EQ(qdbus_cast<QVariantMap>(args[6]).value("desktop-entry").toString(), "io.github.mervane.Mervane");
    EXPECT_EQ(service.calls.size(), 1u);
}

TEST_F(DesktopNotificationsTest, WithNoServiceListeningNothingWaitsAndTheTaskBarHearsProgress)
{
    TaskBar bar;
    ASSERT_TRUE(desktop_->connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                  QStringLiteral("Update"), &bar, SLOT(Update(QString, QVariantMap))));
    // Nobody owns the notification service on this bus: the call must come back at once.
    QDeadlineTimer quick(1000);
    DesktopNotifications::Notify("Encoding finished", "nobody hears this");
    EXPECT_FALSE(quick.hasExpired());

    DesktopNotifications::ShowProgress(0.25);
    DesktopNotifications::HideProgress();
    ASSERT_TRUE(spinUntil([&] { return bar.updates.size() >= 2; }));
    EXPECT_DOUBLE_EQ(bar.updates[0].value("progress").toDouble(), 0.25);
    EXPECT_TRUE(bar.updates[0].value("progress-visible").toBool());
    EXPECT_FALSE(bar.updates[1].value("progress-visible").toBool());
}

}  // namespace

#include "DesktopNotificationsTest.moc"
