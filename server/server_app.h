#pragma once

#include "endpoint_registry.h"
#include "server_options.h"

#include <QString>

#include <cstdio>
#include <memory>

namespace kovrel::server {

struct ServerServices;

// The whole service: database with its schema, mail, accounts, the endpoint table and the HTTP
// server, started and stopped in that order. Tests may add routes before Start().
class ServerApp {
public:
    explicit ServerApp(ServerOptions options, FILE* log = stderr);
    ~ServerApp();
    ServerApp(const ServerApp&) = delete;
    ServerApp& operator=(const ServerApp&) = delete;

    EndpointRegistry& Routes() { return m_routes; }
    // Opens the database, applies the migrations and seeds the demo when asked: what the
    // command-line tools need (--backup, --restore, --unlock).
    bool Open(QString* error);
    // Open() and starts listening.
    bool Start(QString* error);
    // The first step of stopping: /health answers 503 and every reply ends its connection,
    // while the requests under way, and those still sent, are served.
    void BeginStopping();
    // Requests whose headers have arrived and whose reply is not yet sent.
    unsigned RequestsInProgress() const;
    void Stop();

    quint16 Port() const;
    QString ListenText() const;
    ServerServices& Services();

private:
    struct Parts;
    ServerOptions m_options;
    FILE* m_log;
    EndpointRegistry m_routes;
    std::unique_ptr<Parts> d;
};

} // namespace kovrel::server
