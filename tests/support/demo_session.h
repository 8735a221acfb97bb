#pragma once

#include "form_load.h"

#include <QString>
#include <QStringList>

#include <functional>

class ServerProcess;

// The client's session values (login, user login, password) that every request sends.
void UseSession(const QString& login, const QString& dopLogin, const QString& token);
// The demo account's administrator and its limited user (kovrel-server --demo).
void UseDemoAdmin();
void UseDemoUser();

// Creates an account through the client's new-password request and returns the password that
// the server mailed; empty when that failed.
QString NewAccountPassword(const ServerProcess& server, const QString& login);

// A GET of an address, as a browser opens a download: status and body.
struct Download {
    int status = 0;
    QByteArray body;
};
Download DownloadUrl(const QString& url);

// One text per record, in list order.
template <class T>
QStringList TextsOf(const RecordList<T>& list, const std::function<QString(const T&)>& text) {
    QStringList out;
    for (const auto& r : list)
        out << text(*r);
    return out;
}

// The first record whose name is `name`, or null.
template <class T>
const T* FindByName(const RecordList<T>& list, const QString& name) {
    for (const auto& r : list)
        if (r->Name == name) return r.get();
    return nullptr;
}
