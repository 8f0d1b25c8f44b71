#pragma once

#include <QString>

#include <atomic>

namespace download {

// Fetches an address into a local file, blocking until it is done. The body is written
// beside the file and renamed onto it only when the whole transfer succeeded, so a failed
// download leaves the old file exactly as it was.
class HttpClient {
public:
    virtual ~HttpClient() = default;

    // Returns an empty text on success, otherwise what went wrong (for the curious; the
    // windows show their own messages).
    virtual QString download(const QString& url, const QString& localPath) = 0;

    // Set from another thread to end the download in flight soon; it then fails.
    std::atomic_bool stop{false};
    // Whether the last download failed at the local file (it could not be written), not at
    // the network.
    std::atomic_bool failedLocally{false};
};

// The client over libcurl: HTTPS with certificate checks, redirects followed (from an https
// address to https only), http and https only, any status other than 2xx a failure, and a
// transfer slower than the low-speed limit for its whole period abandoned.
class CurlClient : public HttpClient {
public:
    struct Limits {
        long connectTimeoutMs = 10'000;
        long totalTimeoutMs = 60'000;
        long long maxBytes = 8 * 1024 * 1024; // result files are a few kilobytes
        long lowSpeedBytesPerSecond = 1;
        long lowSpeedSeconds = 15;
    };

    CurlClient() = default;
    explicit CurlClient(Limits limits) : limits_(limits) {}

    QString download(const QString& url, const QString& localPath) override;

private:
    Limits limits_;
};

} // namespace download
