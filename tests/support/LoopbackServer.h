#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <mutex>
#include <thread>
#include <vector>

namespace testing_support {

// An HTTP server on 127.0.0.1, started by the constructor and stopped by the destructor. It
// serves the bodies set by path (the query ignored), answers 404 for any other path, can
// redirect a path elsewhere, and can take a path's request and never answer it.
class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }
    void serve(const QString& path, const QString& text); // sent as Shift-JIS
    void hang(const QString& path) {
        locked([&] { hung_.append(path); });
    }
    // Every answer after a pause, like a slow line.
    void delayAnswers(int ms) {
        locked([&] { delayMs_ = ms; });
    }
    void redirect(const QString& path, const QString& location) { // 302 Found
        locked([&] { redirects_[path] = location; });
    }
    // Request targets, query included, in the order they came.
    QStringList requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void answer(int fd);
    template <typename F> void locked(F f) {
        std::lock_guard lock(mutex_);
        f();
    }

    int listenFd_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    QMap<QString, QByteArray> bodies_;
    QStringList hung_;
    int delayMs_ = 0;
    QMap<QString, QString> redirects_;
    QStringList requests_;
    std::vector<int> held_; // connections never answered, closed at the end
    std::thread thread_;
};

// The operator's result file of one draw with CR LF line ends: era date like "令和8年9月17日",
// the winning number and the four prize lines of ナンバーズ４ (the usual ones when empty).
QString resultFile(int drawNo, const QString& eraDate, const QString& number,
                   QStringList prizeLines = {});

// The index file numbers.csv: "A5" + prefix, then one block per draw, newest first.
QString indexFile(int prefix, const std::vector<int>& drawsNewestFirst);

} // namespace testing_support
