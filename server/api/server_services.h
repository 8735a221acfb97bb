#pragma once

#include <QString>

namespace kovrel::server {

class Accounts;
class Database;
class Mailer;
class PasswordHasher;
struct Throttles;

// What the endpoints share for the life of the server. Owned by ServerApp.
struct ServerServices {
    Database& db;
    PasswordHasher& hasher;
    Mailer& mailer;
    Accounts& accounts;
    Throttles& throttles;
    QString dataDir;   // a folder of the server's own (backups and other files it serves)
    QString publicUrl; // how clients reach the server (--public-url), or empty
};

} // namespace kovrel::server
