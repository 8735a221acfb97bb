#include "request_failure.h"

#include "form_load.h"

namespace kovrel {

const QString kUnknownOutcome =
    QStringLiteral("Неизвестно, сохранил ли сервер изменения; данные перечитаны.");
const QString kUnknownUnread =
    QStringLiteral("Неизвестно, сохранил ли сервер изменения; перечитать данные не удалось.");

namespace {

QString noConnectionCause(const HttpReply& reply) {
    switch (reply.failure) {
    case TransportFailure::UnknownHost:
        return QStringLiteral("адрес сервера не найден");
    case TransportFailure::Secure:
        return QStringLiteral("не удалось установить защищенное соединение");
    case TransportFailure::Stalled:
        return QStringLiteral("сервер не ответил за %1 с").arg(reply.stallSeconds);
    case TransportFailure::Cancelled:
        return QStringLiteral("ожидание ответа отменено");
    case TransportFailure::Broken:
        return reply.sent ? QStringLiteral("соединение прервано") : QStringLiteral("сервер не отвечает");
    default:
        return QStringLiteral("сервер не отвечает");
    }
}

} // namespace

QString StatusSentence(int status) {
    if (status >= 300 && status < 400)
        return QStringLiteral("перенаправление на другой адрес (код %1)").arg(status);
    switch (status) {
    case 401:
        return QStringLiteral("неверный логин или пароль");
    case 403:
        return QStringLiteral("доступ запрещен");
    case 404:
        return QStringLiteral("запрошенные данные не найдены");
    case 413:
        return QStringLiteral("запрос слишком велик");
    case 429:
        return QStringLiteral("слишком много запросов, повторите позже");
    default:
        return status >= 500 ? QStringLiteral("внутренняя ошибка сервера (код %1)").arg(status)
                             : QStringLiteral("запрос не принят (код %1)").arg(status);
    }
}

RequestFailure FailureOfReply(const HttpReply& reply, const QString& service) {
    RequestFailure f;
    f.technical = FailureMessage(reply);
    if (!reply.delivered) {
        f.kind = RequestFailure::Kind::NoConnection;
        f.text = QStringLiteral("Нет связи с сервером %1: %2").arg(service, noConnectionCause(reply));
        f.outcomeUnknown = reply.sent;
        return f;
    }
    f.kind = RequestFailure::Kind::Refused;
    f.reason = ServiceReason(reply);
    f.text =
        QStringLiteral("Сервер отказал: ") + (f.reason.isEmpty() ? StatusSentence(reply.status) : f.reason);
    return f;
}

RequestFailure UnreadableReply(const QString& technical) {
    return {RequestFailure::Kind::Unreadable,
            QStringLiteral("Сервер прислал ответ, который не удалось прочитать"), QString(), technical,
            false};
}

RequestFailure UnconfirmedWrite(int status) {
    return {RequestFailure::Kind::Unconfirmed,
            QStringLiteral("Сервер не подтвердил запрос (код %1)").arg(status), QString(),
            QStringLiteral("the service did not confirm it (no status 200)"), true};
}

} // namespace kovrel
