#pragma once

#include "date_time.h"

#include <QByteArrayView>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
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

// A value of a reply element as the conversions below see it.
struct ReplyValue {
    QJsonValue::Type type = QJsonValue::Undefined;
    double number = 0; // Double, and Bool as 0 or 1
    QString text;      // String
};

// A key and its value in an element read straight from the reply's bytes.
struct ReplyField {
    QByteArrayView key; // UTF-8, in the reply's bytes
    ReplyValue value;
};

// One object of a reply, read with the client's conversion rules. Absent keys read as 0, 0.0
// or the empty text; Has() tells the optional keys apart.
class ReplyElement {
public:
    explicit ReplyElement(const QJsonValue& element);
    // Fields [first, last), which stay where they are while the element is read.
    ReplyElement(const ReplyField* first, const ReplyField* last)
        : m_first(first)
        , m_last(last) {}

    bool Has(QLatin1StringView key) const { return m_first ? find(key) != nullptr : m_object.contains(key); }
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
    const ReplyField* find(QLatin1StringView key) const;
    ReplyValue value(QLatin1StringView key) const;

    QJsonObject m_object;
    const ReplyField* m_first = nullptr; // set when read straight from the bytes
    const ReplyField* m_last = nullptr;
};

// A reply's top-level array. A list of flat objects (numbers, texts, true, false, null) in
// plain UTF-8 is read straight from the reply's bytes, with no document in between;
// anything else (escapes, nested values, a fault) is read from the text as ParseArray reads
// it, with the same values and the same errors. The bytes are checked whole before the first
// element is handed on, so a fault anywhere hands on none.
class ReplyArray {
public:
    // `utf8`: the reply's text in UTF-8, kept for the object's life.
    explicit ReplyArray(const QByteArray& utf8);

    qsizetype size() const { return m_count; }
    // Calls `each` per element in order; throws when an element is not an object.
    void ForEach(const std::function<void(const ReplyElement&)>& each) const;

private:
    QByteArray m_bytes;
    bool m_flat = false;
    qsizetype m_count = 0;
    QJsonArray m_array; // when not read straight from the bytes
};

} // namespace kovrel::wire
