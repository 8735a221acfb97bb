#pragma once

#include "credentials_cache.h"
#include "endpoint_registry.h"
#include "http_message.h"
#include "identity.h"
#include "reply_cache.h"
#include "server_services.h"
#include "wire/multipart_parser.h"

#include <QMutex>

#include <cstdio>

namespace kovrel::server {

// Turns one HTTP request into one reply: finds the route, parses the multipart body strictly,
// authenticates, runs the handler inside its transaction (again, a few times, when the
// database reports a conflict worth retrying), turns every failure into a status of 400 or more
// with a short reason, and writes one log line per request: time, client address, endpoint,
// account, status, milliseconds.
class Dispatcher {
public:
    Dispatcher(ServerServices& services, const EndpointRegistry& routes, FILE* log);

    HttpResponse Handle(const HttpRequest& request);

    static constexpr int kAttempts = 5;

private:
    HttpResponse route(const HttpRequest& request, QString& account);
    // The request's form; with firstFieldsOnly above 0, only that many fields in front.
    static wire::ParsedForm parseForm(const Route& route, const HttpRequest& request, int firstFieldsOnly);
    // The four authentication fields, which the client sends first, and the body size beyond
    // which they are checked (found within that many bytes) before the rest is read.
    static constexpr int kAuthenticationFields = 4;
    static constexpr qsizetype kWholeBodyBytes = 64 * 1024;
    // Who the authentication fields name, within the throttles of failed sign-ins (429 while
    // the client's address or the login is locked).
    Identity identify(const HttpRequest& request, const QString& login, const QString& dopLogin,
                      const QString& token);
    HttpResponse runHandler(const Route& route, RequestContext& ctx);
    // One attempt: the transaction, the account's data version, the handler or a reused reply.
    HttpResponse runOnce(const Route& route, RequestContext& ctx, bool firstAttempt);
    // The account's data version; kNoAccount, which no remembered sign-in holds, when the
    // account is gone.
    qint64 dataVersion(qint64 accountId);
    static constexpr qint64 kNoAccount = -1;
    void logLine(const HttpRequest& request, const QString& account, int status, qint64 elapsedMs);

    ServerServices& m_services;
    const EndpointRegistry& m_routes;
    FILE* m_log;
    QMutex m_logMutex;
    ReplyCache m_cache;
    CredentialsCache m_credentials;
};

} // namespace kovrel::server
