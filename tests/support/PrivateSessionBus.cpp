#include "support/PrivateSessionBus.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

PrivateSessionBus::PrivateSessionBus()
{
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000))
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (!address_.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
}

PrivateSessionBus::~PrivateSessionBus()
{
    for (const QString& name : connections_)
        QDBusConnection::disconnectFromBus(name);
    daemon_.kill();
    daemon_.waitForFinished();
}

QDBusConnection PrivateSessionBus::Desktop(const QString& name)
{
    connections_.push_back(name);
    return QDBusConnection::connectToBus(address_, name);
}

bool FakeNotificationService::Register(QDBusConnection& connection)
{
    return connection.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), this) &&
           connection.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

bool FakeNotificationService::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.member() != QLatin1String("Notify"))
        return false;
    calls.push_back(message);
    connection.send(message.createReply(QVariantList{7u}));
    return true;
}

bool SpinUntil(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
