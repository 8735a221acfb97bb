#pragma once

#include "form_load.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

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

// Gives the demo's limited user (ID 1) rights as the user editor does: reads the user's list,
// changes the entries, writes the list back; as the administrator, who stays signed in.
// False when a step fails.
bool SetDemoUserRights(const QList<std::pair<int, int>>& codeValues);

// What a list operation of the client fills, on a fresh request object.
template <class L>
L Fetch(const std::function<void(TFormLoad&, L&)>& operation) {
    TFormLoad f;
    L list;
    operation(f, list);
    return list;
}

// One operation on a fresh request object, as every editor makes its calls.
template <class Op>
bool Write(Op operation) {
    TFormLoad f;
    return operation(f);
}

// The ID of the store or category whose name holds the text, when exactly one does; else 0.
int StoreId(const QString& name);
int CategoryId(const QString& name);

// One text per record, in list order.
template <class T>
QStringList TextsOf(const RecordList<T>& list, const std::function<QString(const T&)>& text) {
    QStringList out;
    for (const auto& r : list)
        out << text(*r);
    return out;
}

// A copy of the first record whose name is `name`, or nothing; a copy, so that it may come
// from a list made for the call.
template <class T>
std::optional<T> FindByName(const RecordList<T>& list, const QString& name) {
    for (const auto& r : list)
        if (r->Name == name) return *r;
    return std::nullopt;
}
