#include "multipart_form.h"

#include "quoted_printable.h"

#include <QStringView>

namespace kovrel::wire {

namespace {

// Splits at CR, LF or CRLF; a terminator ends a line, text after the last one is a line too.
// An empty text is one empty line.
QList<QStringView> splitLines(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines.append(text.sliced(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size() || lines.isEmpty()) lines.append(text.sliced(start));
    return lines;
}

// One byte per character up to U+00FF; any other character (a whole surrogate pair included)
// becomes a single "?".
QByteArray singleByte(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u <= 0xFF) {
            out.append(static_cast<char>(u));
            continue;
        }
        out.append('?');
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    }
    return out;
}

} // namespace

void MultipartForm::AddField(const QString& name, const QString& value) {
    m_fields.append({name, value});
}

QByteArray MultipartForm::ValueBytes(const QString& name, const QString& value) {
    const bool utf8 = IsUtf8FieldName(name);
    QByteArray out;
    for (QStringView line : splitLines(value)) {
        out.append(utf8 ? line.toUtf8() : singleByte(line));
        out.append("\r\n");
    }
    return out;
}

QByteArray MultipartForm::Encode(const QByteArray& boundary) const {
    QByteArray body;
    for (const Field& f : m_fields) {
        body.append("--").append(boundary).append("\r\n");
        body.append("Content-Disposition: form-data; name=\"").append(f.name.toUtf8()).append("\"\r\n");
        body.append("Content-Type: text/plain");
        if (IsUtf8FieldName(f.name)) body.append("; charset=\"utf-8\"");
        body.append("\r\n");
        body.append("Content-Transfer-Encoding: quoted-printable\r\n");
        body.append("\r\n");
        body.append(EncodeQuotedPrintable(ValueBytes(f.name, f.value)));
    }
    body.append("--").append(boundary).append("--\r\n");
    return body;
}

QByteArray MultipartForm::EncodeAt(const QDateTime& localTime, QByteArray* boundary) const {
    QDateTime t = localTime;
    while (true) {
        *boundary = MakeBoundary(t);
        QByteArray body = Encode(*boundary);
        // Every part opens with the delimiter and the closing one repeats it: nothing else may.
        if (body.count("--" + *boundary) == m_fields.size() + 1) return body;
        t = t.addMSecs(1);
    }
}

QByteArray MultipartForm::MakeBoundary(const QDateTime& localTime) {
    return QByteArray("--------") + localTime.toString(QStringLiteral("MMddyyhhmmsszzz")).toLatin1();
}

QByteArray MultipartForm::ContentType(const QByteArray& boundary) {
    return QByteArray("multipart/form-data; boundary=") + boundary;
}

} // namespace kovrel::wire
