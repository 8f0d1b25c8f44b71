// A stand-in for the desktop's notification service on a test's session bus: it owns
// org.freedesktop.Notifications, logs every Notify call as a JSON line to the file named by
// its argument, prints "ready" once the name is its own, and runs until killed.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QString log;

public slots:
    uint Notify(const QString& app, uint, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int) {
        QFile file(log);
        if (file.open(QIODevice::Append))
            file.write(
                QJsonDocument(
                    QJsonObject{{"app", app}, {"icon", icon}, {"summary", summary}, {"body", body}})
                    .toJson(QJsonDocument::Compact) +
                '\n');
        return 1;
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Notifications service;
    service.log = app.arguments().value(1);
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
