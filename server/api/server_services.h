#pragma once

#include <QString>

namespace kovrel::server {

class Accounts;
class Database;
class HealthProbe;
class Mailer;
class PasswordHasher;
class SignInGuard;
class Throttle;

// What the endpoints share for the life of the server. Owned by ServerApp.
struct ServerServices {
    Database& db;
    PasswordHasher& hasher;
    Mailer& mailer;
    Accounts& accounts;
    SignInGuard& signIns;
    HealthProbe& health;
    Throttle& passwordRequests; // requests for a new administrator password, per client address
    QString dataDir;            // a folder of the server's own (backups and other files it serves)
    QString publicUrl;          // how clients reach the server (--public-url), or empty
};

} // namespace kovrel::server
