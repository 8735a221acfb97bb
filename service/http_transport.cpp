#include "http_transport.h"

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

// Aborts a transfer when no byte has moved either way for the stall time-out.
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
    CURL* c = static_cast<CURL*>(m_curl);
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, ""); // cookie engine on, in memory only
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROXY, ""); // no proxy, whatever the environment says
}

HttpTransport::~HttpTransport() {
    curl_easy_cleanup(static_cast<CURL*>(m_curl));
}

HttpReply HttpTransport::Post(const QString& url, const QByteArray& contentType, const QByteArray& body) {
    HttpReply reply;
    CURL* c = static_cast<CURL*>(m_curl);
    if (!c) {
        reply.error = QStringLiteral("HTTP client could not be created");
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
    const CURLcode rc = curl_easy_perform(c);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);

    if (rc != CURLE_OK) {
        reply.error = watch.stalled
                          ? QStringLiteral("No data from the service for %1 seconds; request abandoned")
                                .arg(m_stallTimeout)
                          : QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(rc));
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
