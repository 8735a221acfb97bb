#pragma once

#include "http_server.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <optional>

namespace kovrel::server {

// The command line of kovrel-server.
struct ServerOptions {
    // What the run does: serve, or one of the operator's tools, which then exits.
    enum class Task {
        Serve,
        Backup,       // --backup --account LOGIN --out FILE
        Restore,      // --restore FILE --account LOGIN
        VerifyBackup, // --restore FILE --verify-only
        Unlock,       // --unlock LOGIN
    };

    Task task = Task::Serve;
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 8088;
    QString db;        // "sqlite:PATH" or "postgresql://…"
    QString outbox;    // folder for mail as .eml files
    QString sendmail;  // command that takes each message on its standard input
    QString dataDir;   // the server's own files
    QString publicUrl; // how clients reach the server, for addresses it hands out; empty: as connected
    bool demo = false;
    HttpLimits limits;
    unsigned stopSeconds = 30; // on SIGTERM, how long the requests under way may take to finish
    QString account;           // --account: the administrator login of the backup or restore
    QString file;              // --out of a backup, the file of a restore
    QString unlockLogin;       // --unlock

    // Nothing, with `error` set, for a bad command line; with `help` set when --help was asked.
    static std::optional<ServerOptions> Parse(const QStringList& arguments, QString* error, QString* help);
    // The user's data folder for kovrel-server; the defaults for --db and --outbox live there.
    static QString DefaultDataDir();
    QString ListenText(quint16 realPort) const;
};

} // namespace kovrel::server
