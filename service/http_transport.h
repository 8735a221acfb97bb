#pragma once

#include <QByteArray>
#include <QString>

namespace kovrel {

struct HttpReply {
    bool delivered = false; // a complete HTTP response arrived
    QString error;          // transport failure text when not delivered
    int status = 0;
    QString statusLine; // e.g. "HTTP/1.1 404 Not Found"
    QByteArray contentType;
    QByteArray body;

    // The body as text, by the character set the reply declares (UTF-8 when it declares none).
    QString Text() const;
    // The same text in UTF-8: the body itself when it is UTF-8 already (no copy of a long reply),
    // else Text() encoded.
    QByteArray Utf8() const;
};

// A synchronous HTTP client over one libcurl easy handle: cookies kept for the handle's life,
// redirects followed or not, the client's fixed Accept and User-Agent headers, TLS for https.
// A connect time-out and a stall time-out (no bytes for a long while) keep a dead service from
// freezing the caller for ever; the total time is not limited, since a backup may be slow.
class HttpTransport {
public:
    explicit HttpTransport(bool followRedirects = true);
    ~HttpTransport();
    HttpTransport(const HttpTransport&) = delete;
    HttpTransport& operator=(const HttpTransport&) = delete;

    HttpReply Post(const QString& url, const QByteArray& contentType, const QByteArray& body);

    void SetConnectTimeout(int seconds) { m_connectTimeout = seconds; }
    void SetStallTimeout(int seconds) { m_stallTimeout = seconds; }

    static constexpr int kDefaultConnectTimeout = 30;
    static constexpr int kDefaultStallTimeout = 300;

private:
    void* m_curl = nullptr;
    bool m_followRedirects;
    int m_connectTimeout = kDefaultConnectTimeout;
    int m_stallTimeout = kDefaultStallTimeout;
};

} // namespace kovrel
