#pragma once

#include <QString>

#include <stdexcept>

namespace kovrel::server {

// Ends a request with an HTTP status of 400 or more and a short plain-text reason. Thrown by
// handlers and the request context; the dispatcher rolls the transaction back and answers.
class HttpError : public std::runtime_error {
public:
    HttpError(int status, const QString& reason)
        : std::runtime_error(reason.toStdString())
        , m_status(status) {}
    int Status() const { return m_status; }
    QString Reason() const { return QString::fromStdString(what()); }

    static HttpError BadRequest(const QString& reason) { return {400, reason}; }
    static HttpError Forbidden() { return {403, QStringLiteral("Доступ запрещен")}; }
    static HttpError NotFound(const QString& reason) { return {404, reason}; }
    static HttpError Conflict(const QString& reason) { return {409, reason}; }
    // A password mail that could not be sent: what the request wrote is undone, since nobody
    // would learn the password.
    static HttpError MailNotSent(bool diskFull) {
        if (diskFull) return DiskFull();
        return {503, QStringLiteral("Письмо с паролем не отправлено, повторите запрос позже")};
    }
    // Nothing could be stored for want of disk space; reads go on.
    static HttpError DiskFull() {
        return {507, QStringLiteral("На диске сервера нет места: изменения не сохранены")};
    }
    // Too many attempts: the reply says in Retry-After when to come again.
    static HttpError TooManyRequests(int retryAfterSeconds, const QString& reason) {
        HttpError e(429, reason);
        e.m_retryAfter = retryAfterSeconds;
        return e;
    }
    // Seconds for the Retry-After header, 0 for none.
    int RetryAfter() const { return m_retryAfter; }

private:
    int m_status;
    int m_retryAfter = 0;
};

} // namespace kovrel::server
