#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kovrel::wire {

// Quoted-printable (RFC 2045) as the client writes it. The input is split into lines at CRLF;
// every line is encoded on its own and ends with CRLF. Printable ASCII other than "=" stays
// as it is; "=", every other byte, a blank ending a line and a "." starting an output line
// become "=XX"; an output line that reaches 70 characters gets a soft break "=" CRLF.
QByteArray EncodeQuotedPrintable(const QByteArray& crlfLines);

// Decodes quoted-printable; soft breaks ("=" CRLF, or "=" LF) vanish, "=XX" becomes the byte,
// unencoded blanks before a line end are dropped as transport padding. Returns nothing and sets
// `error` for a malformed escape.
std::optional<QByteArray> DecodeQuotedPrintable(QByteArrayView encoded, QString* error = nullptr);

} // namespace kovrel::wire
