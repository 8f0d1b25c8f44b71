#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <iconv.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace testing_support {

namespace {

// Text in code page 932, the way the operator writes its files.
QByteArray toShiftJis(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() * 2, '\0');
    char* in = utf8.data();
    char* o = out.data();
    size_t inLeft = utf8.size();
    size_t outLeft = out.size();
    const iconv_t cd = iconv_open("CP932", "UTF-8"); // glibc has it
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1))
        throw std::runtime_error("text not representable in CP932");
    iconv_close(cd);
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

} // namespace

LoopbackServer::LoopbackServer() {
    // A proxy from the environment must not get between the tests and 127.0.0.1.
    ::setenv("no_proxy", "127.0.0.1", 1);
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(listenFd_, 16) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] {
        for (int fd; (fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
            answer(fd);
    });
}

LoopbackServer::~LoopbackServer() {
    ::shutdown(listenFd_, SHUT_RDWR); // makes the blocked accept fail
    thread_.join();
    for (int fd : held_)
        ::close(fd);
    ::close(listenFd_);
}

void LoopbackServer::serve(const QString& path, const QString& text) {
    const QByteArray body = toShiftJis(text);
    locked([&] { bodies_[path] = body; });
}

void LoopbackServer::answer(int fd) {
    QByteArray request;
    char buffer[2048];
    while (!request.contains("\r\n\r\n")) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            ::close(fd);
            return;
        }
        request.append(buffer, n);
    }
    // "GET /path?query HTTP/1.1"
    const QString target = QString::fromLatin1(request.left(request.indexOf("\r\n")).split(' ')[1]);
    const QString path = target.section(u'?', 0, 0);
    std::unique_lock lock(mutex_);
    requests_.append(target);
    if (hung_.contains(path)) {
        held_.push_back(fd);
        return;
    }
    const bool found = bodies_.contains(path);
    const QByteArray body = bodies_.value(path, "Not Found");
    const QByteArray status =
        redirects_.contains(path)
            ? "HTTP/1.1 302 Found\r\nLocation: " + redirects_[path].toLatin1() + "\r\n"
            : QByteArray(found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n");
    const int delayMs = delayMs_;
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    const QByteArray reply = status + "Content-Length: " + QByteArray::number(body.size()) +
                             "\r\nConnection: close\r\n\r\n" + body;
    for (qsizetype sent = 0, n = 0; sent < reply.size(); sent += n)
        if ((n = ::send(fd, reply.constData() + sent, reply.size() - sent, MSG_NOSIGNAL)) <= 0)
            break;
    ::close(fd);
}

QString resultFile(int drawNo, const QString& eraDate, const QString& number,
                   QStringList prizeLines) {
    if (prizeLines.isEmpty())
        prizeLines = {QStringLiteral("ストレート,%1,18口,986400円").arg(number),
                      QStringLiteral("ボックス,153口,82200円"),
                      QStringLiteral("セット（ストレート）,51口,534300円"),
                      QStringLiteral("セット（ボックス）,680口,41100円")};
    return QStringLiteral(
               "A50\r\n第%1回ナンバーズ,数字選択式全国自治宝くじ,%2,東京 宝くじドリーム館\r\n"
               "支払期間,%2から1年間\r\nナンバーズ３抽せん数字,188\r\n"
               "ストレート,188,95口,93900円\r\nボックス,該当なし\r\n"
               "セット（ストレート）,40口,46900円\r\nセット（ボックス）,該当なし\r\n"
               "ミニ,88,312口,9400円\r\n販売実績額,198765400円\r\n"
               "ナンバーズ４抽せん数字,%3\r\n%4\r\n販売実績額,512345600円\r\n"
               "当せん条件,申込数字と抽せん数字が全桁同じで、並びも同じ\r\n")
        .arg(QString::number(drawNo), eraDate, number, prizeLines.join(QStringLiteral("\r\n")));
}

QString indexFile(int prefix, const std::vector<int>& drawsNewestFirst) {
    QString text = QStringLiteral("A5%1\r\n").arg(prefix);
    for (int draw : drawsNewestFirst)
        text += QStringLiteral("第%1回ナンバーズ,数字選択式全国自治宝くじ,令和8年8月24日\r\n"
                               "ナンバーズ４抽せん数字,1234\r\n")
                    .arg(draw);
    return text;
}

} // namespace testing_support
