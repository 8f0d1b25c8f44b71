#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <mutex>
#include <thread>
#include <vector>

namespace testing_support {

// A small HTTP server on 127.0.0.1 for the download tests: it serves the bodies a test sets
// (by path, the query ignored), answers 404 for anything else, and can be told to accept
// connections and never answer them. Started by the constructor, stopped by the destructor.
class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    QString baseUrl() const; // "http://127.0.0.1:PORT/"

    // The text as Shift-JIS (code page 932) with a 200 answer.
    void serveShiftJis(const QString& path, const QString& text);
    void serve(const QString& path, const QByteArray& body, int status = 200,
               const QByteArray& contentType = "text/plain");
    // A redirect (302) to another address.
    void redirect(const QString& path, const QString& location);
    // Takes the request for the path and never answers it.
    void hang(const QString& path);
    void remove(const QString& path);

    // Request targets ("/A1024907.CSV?1732147503") in the order they came.
    QStringList requests() const;

private:
    struct Reply {
        int status; // 0: never answer
        QByteArray contentType;
        QByteArray body;
        QByteArray location;
    };
    void loop();
    void answer(int fd);

    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    mutable std::mutex mutex_;
    QMap<QString, Reply> replies_;
    QStringList requests_;
    std::vector<int> held_; // connections never answered, closed at the end
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens, so a connection is refused.
int closedPort();

// Text in code page 932, the way the operator writes its files.
QByteArray toShiftJis(const QString& text);

// The operator's result file of one draw: era date like "令和8年9月17日", the winning number
// line's digits and the four prize lines of ナンバーズ４. Lines end in CR LF.
QString resultFile(int drawNo, const QString& eraDate, const QString& number,
                   const QStringList& prizeLines);
// A result file of the operator's usual shape for a draw of the 令和 era.
QString resultFile(int drawNo, const QString& eraDate, const QString& number);

// The index file numbers.csv: "A5" + prefix, then one block per draw, newest first.
QString indexFile(int prefix, const std::vector<int>& drawsNewestFirst);

} // namespace testing_support
