#include "multipart_parser.h"

#include "multipart_form.h"
#include "quoted_printable.h"

#include <QByteArrayMatcher>
#include <QStringDecoder>

namespace kovrel::wire {

namespace {

ParsedForm refuse(const QString& why) {
    ParsedForm f;
    f.error = why;
    return f;
}

QByteArrayView trimmed(QByteArrayView v) {
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

// The value of a `key=value` or `key="value"` parameter in a header value; `found` tells
// whether it was there at all.
QByteArray headerParameter(QByteArrayView header, QByteArrayView key, bool* found = nullptr) {
    if (found) *found = false;
    qsizetype pos = 0;
    while (pos < header.size()) {
        qsizetype semi = header.indexOf(';', pos);
        if (semi < 0) semi = header.size();
        // A quoted value may hold ';': extend to the closing quote.
        QByteArrayView item = trimmed(header.sliced(pos, semi - pos));
        const qsizetype eq = item.indexOf('=');
        if (eq > 0 && trimmed(item.first(eq)).compare(key, Qt::CaseInsensitive) == 0) {
            const qsizetype valueStart = pos + (header.sliced(pos).indexOf('=')) + 1;
            QByteArrayView rest = trimmed(header.sliced(valueStart));
            if (found) *found = true;
            if (rest.startsWith('"')) {
                const qsizetype close = rest.indexOf('"', 1);
                return close < 0 ? QByteArray() : rest.sliced(1, close - 1).toByteArray();
            }
            const qsizetype end = rest.indexOf(';');
            return trimmed(end < 0 ? rest : rest.first(end)).toByteArray();
        }
        pos = semi + 1;
    }
    return {};
}

struct PartHeaders {
    QByteArray name;
    bool hasName = false;
    QByteArray transferEncoding;
};

bool parseHeaders(QByteArrayView block, PartHeaders& out, QString& error) {
    qsizetype pos = 0;
    while (pos < block.size()) {
        qsizetype end = block.indexOf("\r\n", pos);
        if (end < 0) end = block.size();
        const QByteArrayView line = block.sliced(pos, end - pos);
        pos = end + 2;
        if (line.isEmpty()) continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            error = QStringLiteral("malformed part header");
            return false;
        }
        const QByteArrayView key = trimmed(line.first(colon));
        const QByteArrayView value = trimmed(line.sliced(colon + 1));
        if (key.compare("Content-Disposition", Qt::CaseInsensitive) == 0) {
            if (!value.startsWith("form-data")) {
                error = QStringLiteral("part is not form-data");
                return false;
            }
            out.name = headerParameter(value, "name", &out.hasName);
        } else if (key.compare("Content-Transfer-Encoding", Qt::CaseInsensitive) == 0) {
            out.transferEncoding = value.toByteArray().toLower();
        }
    }
    if (!out.hasName) {
        error = QStringLiteral("part without a field name");
        return false;
    }
    return true;
}

bool decodeValue(const PartHeaders& h, QByteArrayView raw, ParsedField& field, QString& error) {
    QByteArray bytes;
    if (h.transferEncoding.isEmpty() || h.transferEncoding == "7bit" || h.transferEncoding == "8bit" ||
        h.transferEncoding == "binary") {
        bytes = raw.toByteArray();
    } else if (h.transferEncoding == "quoted-printable") {
        auto decoded = DecodeQuotedPrintable(raw, &error);
        if (!decoded) return false;
        bytes = std::move(*decoded);
    } else {
        error = QStringLiteral("unsupported transfer encoding");
        return false;
    }
    field.name = QString::fromUtf8(h.name);
    if (MultipartForm::IsUtf8FieldName(field.name)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        field.value = utf8.decode(bytes);
        if (utf8.hasError()) {
            error = QStringLiteral("invalid UTF-8 in field %1").arg(field.name);
            return false;
        }
    } else {
        field.value = QString::fromLatin1(bytes);
    }
    return true;
}

} // namespace

const ParsedField* ParsedForm::Find(const QString& name) const {
    for (const ParsedField& f : fields)
        if (f.name == name) return &f;
    return nullptr;
}

QByteArray BoundaryOf(QByteArrayView contentType) {
    const qsizetype semi = contentType.indexOf(';');
    const QByteArrayView type = trimmed(semi < 0 ? contentType : contentType.first(semi));
    if (type.compare("multipart/form-data", Qt::CaseInsensitive) != 0 || semi < 0) return {};
    return headerParameter(contentType.sliced(semi + 1), "boundary");
}

ParsedForm ParseMultipartForm(QByteArrayView body, QByteArrayView contentType, const ParseLimits& limits) {
    if (body.size() > limits.maxBodyBytes) return refuse(QStringLiteral("request body too large"));
    const QByteArray boundary = BoundaryOf(contentType);
    if (boundary.isEmpty() || boundary.size() > 70)
        return refuse(QStringLiteral("missing or invalid multipart boundary"));

    const QByteArray dashBoundary = "--" + boundary;
    const QByteArray delimiter = "\r\n--" + boundary;
    // Every part searches for the delimiter and the end of its headers: the matchers' tables
    // are made once per body, not once per search.
    const QByteArrayMatcher delimiterAt(delimiter);
    static const QByteArrayMatcher headersEndAt(QByteArrayLiteral("\r\n\r\n"));

    // The first boundary line: at the very start, or after a preamble.
    qsizetype pos = 0;
    if (!body.startsWith(dashBoundary)) {
        pos = delimiterAt.indexIn(body);
        if (pos < 0) return refuse(QStringLiteral("no multipart boundary in body"));
        pos += 2;
    }
    pos += dashBoundary.size();

    ParsedForm form;
    while (true) {
        if (body.sliced(pos).startsWith("--")) {
            form.ok = true; // closing delimiter; the epilogue is ignored
            return form;
        }
        // Transport padding, then CRLF.
        while (pos < body.size() && (body[pos] == ' ' || body[pos] == '\t'))
            ++pos;
        if (!body.sliced(pos).startsWith("\r\n")) return refuse(QStringLiteral("malformed boundary line"));
        pos += 2;

        if (form.fields.size() >= limits.maxParts) return refuse(QStringLiteral("too many parts"));

        const qsizetype headerEnd = headersEndAt.indexIn(body, pos);
        if (headerEnd < 0) return refuse(QStringLiteral("unterminated part headers"));
        if (headerEnd - pos > limits.maxPartHeaderBytes)
            return refuse(QStringLiteral("part headers too large"));
        PartHeaders headers;
        QString error;
        if (!parseHeaders(body.sliced(pos, headerEnd - pos), headers, error)) return refuse(error);
        if (headers.name.size() > limits.maxNameBytes) return refuse(QStringLiteral("field name too long"));

        const qsizetype contentStart = headerEnd + 4;
        // An empty value puts the delimiter right after the blank line.
        qsizetype contentEnd;
        if (body.sliced(headerEnd + 2).startsWith(delimiter))
            contentEnd = headerEnd + 2;
        else
            contentEnd = delimiterAt.indexIn(body, contentStart);
        if (contentEnd < 0) return refuse(QStringLiteral("unterminated part"));

        ParsedField field;
        const qsizetype rawLength = std::max<qsizetype>(0, contentEnd - contentStart);
        if (!decodeValue(headers, body.sliced(contentStart, rawLength), field, error)) return refuse(error);
        form.fields.append(std::move(field));
        if (form.fields.size() == limits.firstFieldsOnly) {
            form.ok = true;
            return form;
        }
        pos = contentEnd + delimiter.size();
    }
}

} // namespace kovrel::wire
