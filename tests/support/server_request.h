#pragma once

#include "wire/multipart_form.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// What came back to a request sent with curl from a loopback address of the caller's choosing
// (so that one test can be many clients), by a client that gives up after 30 seconds; status 0
// when no reply came.
struct AddressedReply {
    int status = 0;
    int retryAfter = 0; // the Retry-After header, 0 when none
    QString text;
};
// `headers` go as they are ("X-Forwarded-For: 10.0.0.1").
AddressedReply PostFrom(const QString& url, const QStringList& curlFields, const QString& from,
                        const QStringList& headers = {});
// The client's sign-in request (the four fields) to the service at baseUrl, from that address.
AddressedReply SignInFrom(const QString& baseUrl, const QString& login, const QString& dopLogin,
                          const QString& token, const QString& from, const QStringList& headers = {});
