#pragma once

#include "wire/multipart_form.h"

#include <QByteArray>
#include <QString>

// One request to the service at BaseURL in the client's exact wire form, and what came back.
struct ServerReply {
    int status = 0;
    QString text;
};

ServerReply PostToServer(const QString& endpoint, const kovrel::wire::MultipartForm& form);
// A body of the test's own making (malformed ones included).
ServerReply PostRawToServer(const QString& endpoint, const QByteArray& contentType, const QByteArray& body);

// The four authentication fields, as the client sends them first.
kovrel::wire::MultipartForm AuthForm(const QString& login, const QString& dopLogin, const QString& token);
// The form with the fields added in order.
kovrel::wire::MultipartForm WithFields(kovrel::wire::MultipartForm form,
                                       const QList<QPair<QString, QString>>& fields);
