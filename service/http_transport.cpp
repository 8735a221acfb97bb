#include "http_transport.h"

#include "request_waiter.h"

#include <QStringDecoder>

#include <curl/curl.h>

#include <chrono>
#include <mutex>

namespace kovrel {

namespace {

void globalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t collectBody(char* data, size_t size, size_t count, void* user) {
    static_cast<QByteArray*>(user)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

// Keeps the last status line seen (after redirects, the final one's).
size_t collectHeader(char* data, size_t size, size_t count, void* user) {
    const QByteArray line = QByteArray(data, static_cast<qsizetype>(size * count)).trimmed();
    if (line.startsWith("HTTP/")) *static_cast<QString*>(user) = QString::fromLatin1(line);
    return size * count;
}

// Aborts a transfer when no byte has moved either way for the stall time-out, and notes
// whether any of the request went out.
struct StallWatch {
    std::chrono::steady_clock::time_point lastMove = std::chrono::steady_clock::now();
    curl_off_t lastDown = 0;
    curl_off_t lastUp = 0;
    std::chrono::seconds limit;
    bool stalled = false;
};

int watchProgress(void* user, curl_off_t, curl_off_t down, curl_off_t, curl_off_t up) {
    auto* w = static_cast<StallWatch*>(user);
    const auto now = std::chrono::steady_clock::now();
    if (down != w->lastDown || up != w->lastUp) {
        w->lastDown = down;
        w->lastUp = up;
        w->lastMove = now;
        return 0;
    }
    if (now - w->lastMove >= w->limit) {
        w->stalled = true;
        return 1;
    }
    return 0;
}

class HeaderList {
public:
    void add(const QByteArray& h) { m_list = curl_slist_append(m_list, h.constData()); }
    curl_slist* get() const { return m_list; }
    ~HeaderList() { curl_slist_free_all(m_list); }

private:
    curl_slist* m_list = nullptr;
};

// The character set the content type declares, empty when it declares none.
QByteArray charsetOf(const QByteArray& contentType) {
    const qsizetype at = contentType.toLower().indexOf("charset=");
    if (at < 0) return {};
    QByteArray charset = contentType.mid(at + 8).trimmed();
    const qsizetype end = charset.indexOf(';');
    if (end >= 0) charset.truncate(end);
    charset.replace('"', "");
    return charset;
}

TransportFailure failureOf(CURLcode rc, bool sent) {
    switch (rc) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return TransportFailure::UnknownHost;
    case CURLE_COULDNT_CONNECT:
        return TransportFailure::Unreachable;
    case CURLE_OPERATION_TIMEDOUT: // no total limit is set: the connection was not made in time
        return sent ? TransportFailure::Broken : TransportFailure::Unreachable;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return TransportFailure::Secure;
    default:
        return TransportFailure::Broken;
    }
}

// How often a waited-for transfer calls its waiter, at the most, and how long a step waits for
// the service before it does.
constexpr int kPollMs = 20;

} // namespace

QString HttpReply::Text() const {
    const QByteArray charset = charsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid()) return decoder.decode(body);
    }
    return QString::fromUtf8(body);
}

QByteArray HttpReply::Utf8() const {
    const QByteArray charset = charsetOf(contentType).toLower();
    const bool utf8 = charset.isEmpty() || charset == "utf-8" || charset == "utf8";
    return utf8 && !body.startsWith("\xEF\xBB\xBF") ? body : Text().toUtf8();
}

HttpTransport::HttpTransport(bool followRedirects)
    : m_followRedirects(followRedirects) {
    globalInit();
    m_curl = curl_easy_init();
    m_multi = curl_multi_init();
    CURL* c = static_cast<CURL*>(m_curl);
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, ""); // cookie engine on, in memory only
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROXY, ""); // no proxy, whatever the environment says
}

HttpTransport::~HttpTransport() {
    curl_multi_cleanup(static_cast<CURLM*>(m_multi));
    curl_easy_cleanup(static_cast<CURL*>(m_curl));
}

// Without a waiter (kovrel-cli) nobody needs the time in between: libcurl's own loop is the
// fastest way through a long reply (bench_request_wait). With one, the transfer goes step by step
// through a multi handle, the waiter called between the steps.
int HttpTransport::perform(bool& cancelled) {
    CURL* c = static_cast<CURL*>(m_curl);
    CURLM* multi = static_cast<CURLM*>(m_multi);
    RequestWaiter* waiter = CurrentRequestWaiter();
    if (!waiter || !multi || curl_multi_add_handle(multi, c) != CURLM_OK) return curl_easy_perform(c);
    const auto start = std::chrono::steady_clock::now();
    auto lastLook = start;
    waiter->Begin();
    CURLcode result = CURLE_OK;
    for (bool done = false; !done;) {
        int running = 0;
        curl_multi_perform(multi, &running);
        int queued = 0;
        while (const CURLMsg* m = curl_multi_info_read(multi, &queued)) {
            if (m->msg == CURLMSG_DONE && m->easy_handle == c) {
                result = m->data.result;
                done = true;
            }
        }
        if (done) break;
        curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
        // While bytes stream in, the waiter is called every kPollMs, not at every step.
        const auto now = std::chrono::steady_clock::now();
        if (now - lastLook < std::chrono::milliseconds(kPollMs)) continue;
        lastLook = now;
        if (!waiter->Continue(std::chrono::duration_cast<std::chrono::milliseconds>(now - start))) {
            cancelled = true;
            result = CURLE_ABORTED_BY_CALLBACK;
            done = true;
        }
    }
    curl_multi_remove_handle(multi, c); // a transfer cut short closes its connection
    waiter->End();
    return result;
}

HttpReply HttpTransport::Post(const QString& url, const QByteArray& contentType, const QByteArray& body) {
    HttpReply reply;
    CURL* c = static_cast<CURL*>(m_curl);
    if (!c) {
        reply.error = QStringLiteral("HTTP client could not be created");
        reply.failure = TransportFailure::Broken;
        return reply;
    }
    const QByteArray urlBytes = url.toUtf8();
    HeaderList headers;
    headers.add("Content-Type: " + contentType);
    headers.add("Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    headers.add("User-Agent: Mozilla/3.0 (compatible; Indy Library)");
    headers.add("Expect:"); // send the body at once, never wait for 100-continue

    curl_easy_setopt(c, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, m_followRedirects ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 15L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(m_connectTimeout));
    StallWatch watch;
    watch.limit = std::chrono::seconds(m_stallTimeout);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, watchProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &watch);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &reply.body);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, collectHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &reply.statusLine);

    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    bool cancelled = false;
    const auto rc = static_cast<CURLcode>(perform(cancelled));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);

    if (rc != CURLE_OK) {
        reply.sent = watch.lastUp > 0;
        reply.stallSeconds = m_stallTimeout;
        if (cancelled) {
            reply.failure = TransportFailure::Cancelled;
            reply.error =
                QStringLiteral("Request cancelled by the user after %1 bytes sent").arg(watch.lastUp);
        } else if (watch.stalled) {
            reply.failure = TransportFailure::Stalled;
            reply.error = QStringLiteral("No data from the service for %1 seconds; request abandoned")
                              .arg(m_stallTimeout);
        } else {
            reply.failure = failureOf(rc, reply.sent);
            reply.error = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(rc));
        }
        reply.body.clear();
        return reply;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    char* type = nullptr;
    curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &type);
    reply.delivered = true;
    reply.status = static_cast<int>(status);
    reply.contentType = type ? QByteArray(type) : QByteArray();
    return reply;
}

} // namespace kovrel
