#include "DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace notify {

namespace {

// A notification service that does not answer in this time is not going to show anything.
constexpr int kReplyWaitMs = 5000;

const QString kService = QStringLiteral("org.freedesktop.Notifications");

} // namespace

QString showDesktopNotification(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return QStringLiteral("セッションバスに接続できません（%1）。")
            .arg(bus.lastError().message());
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                       kService, QStringLiteral("Notify"));
    const QString appId = QStringLiteral(TESSARIN_APP_ID);
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the
    // service's own choice). The desktop entry lets the service group them under the program.
    call << QStringLiteral("Tessarin") << 0u << appId << summary << body << QStringList()
         << QVariantMap{{QStringLiteral("desktop-entry"), appId}} << -1;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyWaitMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return QString();
    if (reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"))
        return QStringLiteral("セッションバスに通知サービス（%1）がありません。").arg(kService);
    return QStringLiteral("通知サービスがエラーを返しました（%1）。").arg(reply.errorMessage());
}

} // namespace notify
