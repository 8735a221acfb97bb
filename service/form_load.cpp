#include "form_load.h"

#include "session.h"

#include <QDateTime>

using kovrel::HttpReply;
using kovrel::wire::ReplyError;

namespace kovrel {

HttpReply PostForm(HttpTransport& http, const QString& endpoint, const wire::MultipartForm& form) {
    QByteArray boundary;
    const QByteArray body = form.EncodeAt(QDateTime::currentDateTime(), &boundary);
    return http.Post(BaseURL + endpoint, wire::MultipartForm::ContentType(boundary), body);
}

QString TrimControl(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return begin == 0 && end == text.size() ? text : text.mid(begin, end - begin);
}

QString FailureMessage(const HttpReply& reply) {
    if (!reply.delivered) return reply.error;
    const QString status =
        reply.statusLine.isEmpty() ? QStringLiteral("HTTP status %1").arg(reply.status) : reply.statusLine;
    const QString reason = ServiceReason(reply);
    return reason.isEmpty() ? status : status + QStringLiteral(": ") + reason;
}

QString ServiceReason(const HttpReply& reply) {
    constexpr qsizetype kLongest = 300;
    if (!reply.delivered || reply.status < 400 || !reply.contentType.startsWith("text/plain")) return {};
    const QString text = TrimControl(reply.Text());
    return TrimControl(text.left(text.indexOf(QLatin1Char('\n')))).left(kLongest);
}

bool IsUsable(const HttpReply& reply) {
    return reply.delivered && reply.status >= 200 && reply.status < 300;
}

QString LoggedReply(QByteArrayView utf8) {
    constexpr qsizetype kLongest = 2000;
    if (utf8.size() <= kLongest) return QString::fromUtf8(utf8);
    qsizetype cut = kLongest;
    while (cut > 0 && (static_cast<uchar>(utf8[cut]) & 0xC0) == 0x80) // not inside a character
        --cut;
    return QString::fromUtf8(utf8.first(cut)) + QStringLiteral("… (%1 bytes in all)").arg(utf8.size());
}

} // namespace kovrel

namespace {

QByteArrayView trimControl(QByteArrayView utf8) {
    while (!utf8.isEmpty() && static_cast<uchar>(utf8.front()) <= 32)
        utf8 = utf8.sliced(1);
    while (!utf8.isEmpty() && static_cast<uchar>(utf8.back()) <= 32)
        utf8.chop(1);
    return utf8;
}

} // namespace

TFormLoad::TFormLoad()
    : m_http(std::make_unique<kovrel::HttpTransport>(true)) {}

TFormLoad::TFormLoad(std::unique_ptr<kovrel::HttpTransport> transport)
    : m_http(std::move(transport)) {}

TFormLoad::~TFormLoad() = default;

TFormLoad::Form TFormLoad::NewForm() {
    Form form;
    form.AddField(QStringLiteral("login"), Login);
    form.AddField(QStringLiteral("dop_login"), DopLogin);
    form.AddField(QStringLiteral("token"), Token);
    form.AddField(QStringLiteral("client"), ClientTag);
    return form;
}

bool TFormLoad::Accept(const HttpReply& reply) {
    if (kovrel::IsUsable(reply)) return true;
    Fail(kovrel::FailureOfReply(reply, BaseURL));
    return false;
}

std::optional<TFormLoad::Reply> TFormLoad::Send(const QString& endpoint, const Form& form) {
    const HttpReply reply = kovrel::PostForm(*m_http, endpoint, form);
    if (!Accept(reply)) return std::nullopt;
    return Reply{reply.status, kovrel::TrimControl(reply.Text())};
}

bool TFormLoad::ReadArray(const QString& endpoint, const Form& form, const ElementFn& each) {
    return ReadArray(kovrel::PostForm(*m_http, endpoint, form), each);
}

// A report's reply runs to megabytes: it is read straight from its UTF-8 bytes, one element at a
// time, without a text copy of the whole reply or a document of the whole array, and the log
// keeps what a person reads of it.
bool TFormLoad::ReadArray(const HttpReply& reply, const ElementFn& each) {
    if (!Accept(reply)) return false;
    const QByteArray utf8 = reply.Utf8();
    const QByteArrayView json = trimControl(utf8);
    if (reply.status == 200) Log(kovrel::LoggedReply(json));
    try {
        const kovrel::wire::ReplyArray array(QByteArray::fromRawData(json.data(), json.size()));
        Log(QString::number(array.size()));
        array.ForEach(each);
    } catch (const ReplyError& e) {
        Fail(kovrel::UnreadableReply(e.Message()));
        return false;
    }
    return true;
}

bool TFormLoad::InsertWithNewID(const QString& endpoint, const Form& form, int& id) {
    const auto reply = Send(endpoint, form);
    if (!reply) return false;
    if (reply->status != 200) {
        Fail(kovrel::UnconfirmedWrite(reply->status));
        return false;
    }
    bool ok = false;
    const int newID = reply->text.toInt(&ok);
    if (ok) id = newID;
    return true;
}

bool TFormLoad::PlainWrite(const QString& endpoint, const Form& form) {
    const auto reply = Send(endpoint, form);
    if (!reply) return false;
    if (reply->status != 200) {
        Fail(kovrel::UnconfirmedWrite(reply->status));
        return false;
    }
    return true;
}

QString TFormLoad::Command(const QString& endpoint, const Form& form) {
    const auto reply = Send(endpoint, form);
    return reply ? reply->text : QString();
}
