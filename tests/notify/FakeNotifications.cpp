// A stand-in for the desktop's notification service, on the session bus of a test: it owns
// org.freedesktop.Notifications, writes every Notify call to the file named by its argument
// (one JSON object a line), prints "ready" once the name is its own, and runs until killed.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

#include <cstdio>

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit Notifications(QString logPath) : logPath_(std::move(logPath)) {}

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout) {
        Q_UNUSED(replacesId);
        Q_UNUSED(actions);
        Q_UNUSED(expireTimeout);
        QFile log(logPath_);
        if (log.open(QIODevice::Append)) {
            const QJsonObject call{{"app", appName},
                                   {"icon", appIcon},
                                   {"summary", summary},
                                   {"body", body},
                                   {"desktopEntry", hints.value("desktop-entry").toString()}};
            log.write(QJsonDocument(call).toJson(QJsonDocument::Compact) + '\n');
        }
        return ++lastId_;
    }

private:
    QString logPath_;
    uint lastId_ = 0;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    Notifications service(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject("/org/freedesktop/Notifications", &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService("org.freedesktop.Notifications"))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "FakeNotifications.moc"
