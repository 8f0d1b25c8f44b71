#include "HttpClient.h"

#include <QSaveFile>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace download {

namespace {

struct Sink {
    QSaveFile* file;
    long long written = 0;
    long long maxBytes;
    bool tooLarge = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const size_t bytes = size * count;
    sink->written += static_cast<long long>(bytes);
    if (sink->written > sink->maxBytes) {
        sink->tooLarge = true;
        return 0; // makes curl stop with a write error
    }
    return sink->file->write(data, static_cast<qint64>(bytes)) == static_cast<qint64>(bytes) ? bytes
                                                                                             : 0;
}

// curl calls it several times a second even on a quiet connection, so a stop ends the
// transfer at once.
int stopWhenAsked(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::atomic_bool*>(user)->load() ? 1 : 0;
}

} // namespace

QString CurlClient::download(const QString& url, const QString& localPath) {
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    failedLocally = false;
    QSaveFile file(localPath);
    const QString unwritable = QStringLiteral("%1 を書き込めません: %2");
    if (!file.open(QIODevice::WriteOnly)) {
        failedLocally = true;
        return unwritable.arg(localPath, file.errorString());
    }

    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return QStringLiteral("通信の準備ができません。");
    Sink sink{&file, 0, limits_.maxBytes};
    char errorText[CURL_ERROR_SIZE] = {};
    const QByteArray address = url.toUtf8();
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, address.constData());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    // A secure address must not be redirected to plain http; only a plain address (a local
    // mirror, the tests' loopback server) may use http at all.
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR,
                     url.startsWith(QStringLiteral("https:"), Qt::CaseInsensitive) ? "https"
                                                                                   : "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, limits_.connectTimeoutMs);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, limits_.totalTimeoutMs);
    // A server that stalls or trickles is given up long before the total time-out.
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytesPerSecond);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits_.lowSpeedSeconds);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L); // time-outs without SIGALRM
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.maxBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Tessarin");
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, stopWhenAsked);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &stop);

    const CURLcode code = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);

    QString failure;
    if (stop)
        failure = QStringLiteral("中止しました。");
    else if (sink.tooLarge)
        failure = QStringLiteral("応答が大きすぎます（%1 バイト超）。").arg(limits_.maxBytes);
    else if (code != CURLE_OK)
        failure = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(code));
    else if (status < 200 || status > 299)
        failure = QStringLiteral("HTTP %1").arg(status);
    if (!failure.isEmpty()) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) {
        failedLocally = true;
        return unwritable.arg(localPath, file.errorString());
    }
    return {};
}

} // namespace download
