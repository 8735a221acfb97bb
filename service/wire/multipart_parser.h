#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kovrel::wire {

// Bounds that a request body must keep to; anything beyond them is refused, not truncated.
struct ParseLimits {
    qsizetype maxBodyBytes = 64 * 1024 * 1024;
    int maxParts = 300000;
    qsizetype maxPartHeaderBytes = 4096;
    qsizetype maxNameBytes = 256;
    // When above 0, reading stops after that many fields, which are all the form then holds:
    // the fields in front (a server's authentication fields) without the cost of the rest.
    int firstFieldsOnly = 0;
};

struct ParsedField {
    QString name;
    QString value; // "_win" fields decoded as UTF-8, others one byte per character
};

struct ParsedForm {
    bool ok = false;
    QString error; // why the body was refused
    QList<ParsedField> fields;

    // The first field of that name, or nothing.
    const ParsedField* Find(const QString& name) const;
};

// The boundary parameter of a multipart/form-data Content-Type, or empty.
QByteArray BoundaryOf(QByteArrayView contentType);

// Reads a multipart/form-data body as the client writes it (and any other well-formed one whose
// parts are quoted-printable, 7bit, 8bit or binary). Strict: a malformed structure, a bad escape,
// invalid UTF-8 in a "_win" field or a body beyond the limits gives ok = false with the reason.
ParsedForm ParseMultipartForm(QByteArrayView body, QByteArrayView contentType,
                              const ParseLimits& limits = {});

} // namespace kovrel::wire
