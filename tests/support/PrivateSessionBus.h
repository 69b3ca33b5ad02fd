#pragma once
// A session bus of the test's own (a private dbus-daemon, made the process's session bus
// through the environment) and, on a second connection to it, a stand-in for the desktop's
// notification service that answers Notify as a daemon does and keeps what came. Make the
// bus before anything in the process first touches the session bus: Qt connects once.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when dbus-daemon could not be started.
    const QString& Address() const { return address_; }
    // A connection of the "desktop" side, for services and signal listeners.
    QDBusConnection Desktop(const QString& name);

private:
    QProcess daemon_;
    QString address_;
    std::vector<QString> connections_;
};

class FakeNotificationService : public QDBusVirtualObject {
public:
    std::vector<QDBusMessage> calls;

    // Owns org.freedesktop.Notifications on the connection; false when it cannot.
    bool Register(QDBusConnection& connection);
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
};

// Lets Qt's events run until done() holds or five seconds have passed; says whether it held.
bool SpinUntil(const std::function<bool()>& done);
