// Feeds arbitrary bytes to the strict multipart parser that reads every request of the service.
// Input: the Content-Type up to the first newline, then the body. Besides crashes and
// sanitizer reports it checks that a body the parser accepts, written again by the client's
// encoder, reads back to the same fields.
#include "wire/multipart_form.h"
#include "wire/multipart_parser.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// The encoder ends every line with CRLF; a parsed value may end in a line break or hold lone
// CRs or LFs, which come back as CRLF.
QString normalized(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (s.endsWith(QLatin1Char('\n'))) s.chop(1);
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return s;
}

bool writableName(const QString& name) {
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F || c == QLatin1Char('"') || c == QLatin1Char(';') ||
            c == QLatin1Char('\\'))
            return false;
    return true;
}

void checkRoundTrip(const kovrel::wire::ParsedForm& parsed) {
    kovrel::wire::MultipartForm again;
    for (const auto& f : parsed.fields) {
        if (!writableName(f.name)) return;
        again.AddField(f.name, f.value);
    }
    // A value may hold the boundary of that moment; the encoder must then pick another.
    QByteArray boundary;
    const QByteArray body = again.EncodeAt(QDateTime(QDate(2024, 1, 1), QTime(0, 0)), &boundary);
    const auto reread =
        kovrel::wire::ParseMultipartForm(body, kovrel::wire::MultipartForm::ContentType(boundary));
    if (!reread.ok || reread.fields.size() != parsed.fields.size()) __builtin_trap();
    for (qsizetype i = 0; i < parsed.fields.size(); ++i) {
        if (reread.fields[i].name != parsed.fields[i].name) __builtin_trap();
        if (reread.fields[i].value != normalized(parsed.fields[i].value)) __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype newline = input.indexOf('\n');
    const QByteArrayView contentType = newline < 0 ? QByteArrayView() : input.first(newline);
    const QByteArrayView body = newline < 0 ? input : input.sliced(newline + 1);
    kovrel::wire::ParseLimits limits;
    limits.maxParts = 2000;
    const auto parsed = kovrel::wire::ParseMultipartForm(body, contentType, limits);
    if (parsed.ok) checkRoundTrip(parsed);
    return 0;
}
