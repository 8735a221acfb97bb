#pragma once

#include "http_transport.h"

#include <QString>

namespace kovrel {

// What went wrong with a request, carried from the transport to the window that made it: a
// sentence the person at the screen understands, the service's own reason when it gave one,
// and the technical text that only the log (MemoInfo) keeps. A window that gets one keeps what
// it showed before and says why.
struct RequestFailure {
    enum class Kind {
        NoConnection, // the service was not reached, or its answer did not come
        Refused,      // the service answered with an error
        Unreadable,   // the answer could not be read
        Unconfirmed,  // a write was answered without the confirmation it needs
    };
    Kind kind = Kind::NoConnection;
    QString text; // "Нет связи с сервером http://…: сервер не отвечает", "Сервер отказал: …"
    QString reason;    // the service's reason, when it gave one
    QString technical; // what the log keeps
    // The request may have reached the service and been carried out, though no answer says so.
    bool outcomeUnknown = false;
};

// The failure of a reply that is not usable (a transport failure, an HTTP error, a redirect
// that was not followed) of a request to the service at `service`.
RequestFailure FailureOfReply(const HttpReply& reply, const QString& service);
// A reply that arrived but could not be read as the operation expects.
RequestFailure UnreadableReply(const QString& technical);
// A write answered with a success status other than 200.
RequestFailure UnconfirmedWrite(int status);

// What a refusal without a reason of its own means, by its HTTP status.
QString StatusSentence(int status);

// The message a person is given when a change's outcome is unknown, after the window has read
// again what the service holds, or failed to.
extern const QString kUnknownOutcome;
extern const QString kUnknownUnread;

} // namespace kovrel
