#pragma once

#include <QByteArray>
#include <QString>

namespace kovrel {

// Why no complete answer came, as far as the person at the screen needs to know it.
enum class TransportFailure {
    None,        // an answer arrived
    Unreachable, // no connection: refused, or not made in time
    UnknownHost, // the service's host name is not known
    Secure,      // the secure connection could not be set up
    Stalled,     // no byte moved for the stall time-out
    Cancelled,   // the person cancelled the wait
    Broken,      // the connection broke off, or another failure of the transfer
};

struct HttpReply {
    bool delivered = false; // a complete HTTP response arrived
    QString error;          // transport failure text when not delivered
    TransportFailure failure = TransportFailure::None;
    // Some of the request went out before it failed: the service may have carried it out.
    bool sent = false;
    int stallSeconds = 0; // the stall time-out in force
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
// While a request runs, the installed RequestWaiter is called every few hundredths of a second
// and may cancel it.
class HttpTransport {
public:
    explicit HttpTransport(bool followRedirects = true);
    ~HttpTransport();
    HttpTransport(const HttpTransport&) = delete;
    HttpTransport& operator=(const HttpTransport&) = delete;

    HttpReply Post(const QString& url, const QByteArray& contentType, const QByteArray& body);

    void SetConnectTimeout(int seconds) { m_connectTimeout = seconds; }
    void SetStallTimeout(int seconds) { m_stallTimeout = seconds; }

    int StallTimeout() const { return m_stallTimeout; }

    static constexpr int kDefaultConnectTimeout = 30;
    // An ordinary request answers in well under a second; reports, imports and backups may
    // think much longer before their first byte.
    static constexpr int kDefaultStallTimeout = 60;
    static constexpr int kLongStallTimeout = 300;

private:
    // Runs the transfer to its end or until the waiter cancels it.
    int perform(bool& cancelled);

    void* m_curl = nullptr;
    void* m_multi = nullptr;
    bool m_followRedirects;
    int m_connectTimeout = kDefaultConnectTimeout;
    int m_stallTimeout = kDefaultStallTimeout;
};

} // namespace kovrel
