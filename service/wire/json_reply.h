#pragma once

#include "date_time.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <stdexcept>

namespace kovrel::wire {

// A reply that cannot be read: not JSON, the wrong kind of JSON, or a value that does not
// convert. Thrown inside the service layer only; every operation catches it and logs it.
class ReplyError : public std::runtime_error {
public:
    explicit ReplyError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// The relaxed null rule: a JSON null read as a number gives 0, read as text the empty text.
// Every parse switches it on, and it stays on for the rest of the run.
bool RelaxedNulls();

// Parses the reply text; the top level must be an array (or an object, for ParseObject).
QJsonArray ParseArray(const QString& text);
QJsonObject ParseObject(const QString& text);

// One object of a reply, read with the client's conversion rules. Absent keys read as 0, 0.0
// or the empty text; Has() tells the optional keys apart.
class ReplyElement {
public:
    explicit ReplyElement(const QJsonValue& element);

    bool Has(QLatin1StringView key) const { return m_object.contains(key); }
    // Numbers truncated toward zero; strings by their integer value or, failing that, their
    // decimal value truncated; true and false as 1 and 0.
    int Int(QLatin1StringView key) const;
    // Numbers, or strings read as decimals with "."; anything else is an error.
    double Float(QLatin1StringView key) const;
    // Strings as they are, numbers as their shortest decimal text.
    QString Text(QLatin1StringView key) const;
    // "yyyy-mm-dd" with an optional " hh:nn:ss"; anything else reads as `def`.
    TDateTime Date(QLatin1StringView key, TDateTime def = 0) const;

private:
    QJsonObject m_object;
};

} // namespace kovrel::wire
