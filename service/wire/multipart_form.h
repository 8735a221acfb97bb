#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace kovrel::wire {

// A multipart/form-data body (RFC 7578) in the client's exact form: every field is one
// quoted-printable text part, in the order added. A field whose name ends in "_win" carries
// user text as UTF-8 (and says so in its Content-Type); any other field is written one byte
// per character up to U+00FF, every other character as "?".
class MultipartForm {
public:
    struct Field {
        QString name;
        QString value;
    };

    void AddField(const QString& name, const QString& value);
    const QList<Field>& Fields() const { return m_fields; }
    int Count() const { return static_cast<int>(m_fields.size()); }

    QByteArray Encode(const QByteArray& boundary) const;

    // Encodes with the boundary of `localTime`. Should a value happen to contain that boundary
    // (a user may type anything), the next millisecond's boundary is tried instead, so that no
    // value can ever end a part early.
    QByteArray EncodeAt(const QDateTime& localTime, QByteArray* boundary) const;

    // Eight hyphens and the local time as month, day, two-digit year, hours, minutes, seconds
    // and milliseconds ("mmddyyhhnnsszzz").
    static QByteArray MakeBoundary(const QDateTime& localTime);
    static QByteArray ContentType(const QByteArray& boundary);

    // "name_win", and the "_win" member of a list row such as "list[0][name_win]".
    static bool IsUtf8FieldName(const QString& name) {
        return name.endsWith(QLatin1String("_win")) || name.endsWith(QLatin1String("_win]"));
    }
    // The value's bytes before quoted-printable: lines joined with CRLF after every line.
    static QByteArray ValueBytes(const QString& name, const QString& value);

private:
    QList<Field> m_fields;
};

} // namespace kovrel::wire
