#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <iconv.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace testing_support {

namespace {

int listenOn(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket");
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("bind");
    port = ntohs(addr.sin_port);
    return fd;
}

void sendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
}

} // namespace

LoopbackServer::LoopbackServer() {
    // The tests talk to 127.0.0.1 only; a proxy from the environment must not get in between.
    ::setenv("no_proxy", "127.0.0.1,localhost", 1);
    ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    listenFd_ = listenOn(port_);
    if (::pipe2(wakeFds_, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    thread_ = std::thread([this] { loop(); });
}

LoopbackServer::~LoopbackServer() {
    const char stop = 's';
    [[maybe_unused]] const ssize_t n = ::write(wakeFds_[1], &stop, 1);
    thread_.join();
    for (int fd : held_)
        ::close(fd);
    ::close(listenFd_);
    ::close(wakeFds_[0]);
    ::close(wakeFds_[1]);
}

QString LoopbackServer::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1/").arg(port_);
}

void LoopbackServer::serveShiftJis(const QString& path, const QString& text) {
    serve(path, toShiftJis(text), 200, "text/csv; charset=Shift_JIS");
}

void LoopbackServer::serve(const QString& path, const QByteArray& body, int status,
                           const QByteArray& contentType) {
    std::lock_guard lock(mutex_);
    replies_[path] = {status, contentType, body, {}};
}

void LoopbackServer::redirect(const QString& path, const QString& location) {
    std::lock_guard lock(mutex_);
    replies_[path] = {302, "text/plain", {}, location.toUtf8()};
}

void LoopbackServer::hang(const QString& path) {
    std::lock_guard lock(mutex_);
    replies_[path] = {0, {}, {}, {}};
}

void LoopbackServer::remove(const QString& path) {
    std::lock_guard lock(mutex_);
    replies_.remove(path);
}

QStringList LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackServer::loop() {
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents)
            return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        answer(fd);
    }
}

void LoopbackServer::answer(int fd) {
    QByteArray request;
    while (!request.contains("\r\n\r\n")) {
        pollfd p{fd, POLLIN, 0};
        char buffer[2048];
        const ssize_t n = ::poll(&p, 1, 2000) > 0 ? ::recv(fd, buffer, sizeof buffer, 0) : 0;
        if (n <= 0) {
            ::close(fd);
            return;
        }
        request.append(buffer, n);
    }
    // "GET /path?query HTTP/1.1"
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString target = words.size() >= 2 ? QString::fromLatin1(words[1]) : QString();
    const QString path = target.section(u'?', 0, 0);

    Reply reply{404, "text/plain", "Not Found", {}};
    {
        std::lock_guard lock(mutex_);
        requests_.append(target);
        reply = replies_.value(path, reply);
    }
    if (reply.status == 0) {
        held_.push_back(fd);
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) +
                      (reply.status / 100 == 2 ? " OK" : " Error") + "\r\n";
    head += "Content-Type: " + reply.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (!reply.location.isEmpty())
        head += "Location: " + reply.location + "\r\n";
    head += "Connection: close\r\n\r\n";
    sendAll(fd, head + reply.body);
    ::close(fd);
}

int closedPort() {
    int port = 0;
    const int fd = listenOn(port);
    ::close(fd);
    return port;
}

QByteArray toShiftJis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv CP932");
    QByteArray out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = utf8.size();
    char* o = out.data();
    size_t outLeft = out.size();
    const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1))
        throw std::runtime_error("text not representable in CP932");
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

QString resultFile(int drawNo, const QString& eraDate, const QString& number,
                   const QStringList& prizeLines) {
    const QStringList lines = {
        QStringLiteral("A50"),
        QStringLiteral("第%1回ナンバーズ,数字選択式全国自治宝くじ,%2,東京 宝くじドリーム館")
            .arg(drawNo)
            .arg(eraDate),
        QStringLiteral("支払期間,%1から1年間").arg(eraDate),
        QStringLiteral("ナンバーズ３抽せん数字,188"),
        QStringLiteral("ストレート,188,95口,93900円"),
        QStringLiteral("ボックス,該当なし"),
        QStringLiteral("セット（ストレート）,40口,46900円"),
        QStringLiteral("セット（ボックス）,該当なし"),
        QStringLiteral("ミニ,88,312口,9400円"),
        QStringLiteral("販売実績額,198765400円"),
        QStringLiteral("ナンバーズ４抽せん数字,%1").arg(number),
        prizeLines.value(0),
        prizeLines.value(1),
        prizeLines.value(2),
        prizeLines.value(3),
        QStringLiteral("販売実績額,512345600円"),
        QStringLiteral("当せん条件,申込数字と抽せん数字が全桁同じで、並びも同じ"),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString resultFile(int drawNo, const QString& eraDate, const QString& number) {
    return resultFile(drawNo, eraDate, number,
                      {QStringLiteral("ストレート,%1,18口,986400円").arg(number),
                       QStringLiteral("ボックス,153口,82200円"),
                       QStringLiteral("セット（ストレート）,51口,534300円"),
                       QStringLiteral("セット（ボックス）,680口,41100円")});
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
