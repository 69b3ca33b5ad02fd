#include "platform/os/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QStringList>
#include <QVariantMap>
#include <algorithm>

namespace {
constexpr const char* kDesktopId = "io.github.mervane.Mervane";

void sendLauncherUpdate(const QVariantMap& properties)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage update = QDBusMessage::createSignal(QStringLiteral("/io/github/mervane/Mervane"),
                                                     QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                                     QStringLiteral("Update"));
    update << QStringLiteral("application://%1.desktop").arg(QLatin1String(kDesktopId)) << properties;
    bus.send(update);
}
}  // namespace

namespace DesktopNotifications {

void Notify(const std::string& summary, const std::string& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // A missing service must not be started on our behalf, and no answer is awaited.
    call.setAutoStartService(false);
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopId)}};
    call << QStringLiteral("Mervane") << 0u << QString::fromLatin1(kDesktopId) << QString::fromStdString(summary)
         << QString::fromStdString(body) << QStringList() << hints << -1;
    bus.asyncCall(call);
}

void ShowProgress(double fraction)
{
    sendLauncherUpdate({{QStringLiteral("progress"), std::clamp(fraction, 0.0, 1.0)},
                        {QStringLiteral("progress-visible"), true}});
}

void HideProgress()
{
    sendLauncherUpdate({{QStringLiteral("progress-visible"), false}});
}

}  // namespace DesktopNotifications
