#include "quoted_printable.h"

namespace kovrel::wire {

namespace {

constexpr int kMaxLine = 70;
constexpr char kHex[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void encodeLine(QByteArrayView line, QByteArray& out) {
    int column = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        const bool lastOfLine = i + 1 == line.size();
        const bool escape =
            b == '=' || b < 32 || b > 126 || (b == ' ' && lastOfLine) || (b == '.' && column == 0);
        if (escape) {
            out.append('=');
            out.append(kHex[b >> 4]);
            out.append(kHex[b & 0x0F]);
            column += 3;
        } else {
            out.append(static_cast<char>(b));
            column += 1;
        }
        if (column >= kMaxLine) {
            out.append("=\r\n");
            column = 0;
        }
    }
    out.append("\r\n");
}

} // namespace

QByteArray EncodeQuotedPrintable(const QByteArray& crlfLines) {
    QByteArray out;
    out.reserve(crlfLines.size() + crlfLines.size() / 8 + 8);
    qsizetype start = 0;
    while (start < crlfLines.size()) {
        qsizetype end = crlfLines.indexOf("\r\n", start);
        if (end < 0) end = crlfLines.size();
        encodeLine(QByteArrayView(crlfLines).sliced(start, end - start), out);
        start = end + 2;
    }
    return out;
}

std::optional<QByteArray> DecodeQuotedPrintable(QByteArrayView in, QString* error) {
    QByteArray out;
    out.reserve(in.size());
    qsizetype lineStartInOut = 0; // where the current output line began, for padding removal
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '=') {
            if (i + 1 < in.size() && in[i + 1] == '\n') {
                ++i; // soft break
                lineStartInOut = out.size();
                continue;
            }
            if (i + 2 < in.size() && in[i + 1] == '\r' && in[i + 2] == '\n') {
                i += 2;
                lineStartInOut = out.size();
                continue;
            }
            const int hi = i + 1 < in.size() ? hexValue(in[i + 1]) : -1;
            const int lo = i + 2 < in.size() ? hexValue(in[i + 2]) : -1;
            if (hi < 0 || lo < 0) {
                if (error) *error = QStringLiteral("malformed quoted-printable escape at byte %1").arg(i);
                return std::nullopt;
            }
            out.append(static_cast<char>(hi * 16 + lo));
            i += 2;
            lineStartInOut = out.size(); // an encoded byte is data, never padding
            continue;
        }
        if (c == '\r' || c == '\n') {
            // Unencoded blanks before a hard line end are transport padding.
            while (out.size() > lineStartInOut && (out.back() == ' ' || out.back() == '\t'))
                out.chop(1);
        }
        out.append(c);
        if (c == '\n') lineStartInOut = out.size();
    }
    return out;
}

} // namespace kovrel::wire
