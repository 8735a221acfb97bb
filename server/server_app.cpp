#include "server_app.h"

#include "accounts.h"
#include "all_endpoints.h"
#include "database.h"
#include "demo_seed.h"
#include "dispatcher.h"
#include "health_probe.h"
#include "http_server.h"
#include "mailer.h"
#include "password_hasher.h"
#include "private_files.h"
#include "schema_migrations.h"
#include "server_services.h"
#include "sign_in_guard.h"
#include "store_error.h"

namespace kovrel::server {

struct ServerApp::Parts {
    Database db;
    PasswordHasher hasher;
    Mailer mailer;
    Accounts accounts;
    SignInStore signInStore;
    SignInGuard signIns;
    HealthProbe health;
    Throttle passwordRequests;
    ServerServices services;
    std::unique_ptr<Dispatcher> dispatcher;
    std::unique_ptr<HttpServer> http;

    Parts(DatabaseAddress address, const ServerOptions& o)
        : db(std::move(address))
        , mailer(o.outbox, o.sendmail)
        , accounts(db, hasher, mailer)
        , signInStore(db)
        , signIns(signInStore, db)
        , health(db)
        , passwordRequests(db, QStringLiteral("password requests"), {10, 60 * 60, 60, 60 * 60})
        , services{db, hasher, mailer, accounts, signIns, health, passwordRequests, o.dataDir, o.publicUrl} {}
};

ServerApp::ServerApp(ServerOptions options, FILE* log)
    : m_options(std::move(options))
    , m_log(log) {
    RegisterAllEndpoints(m_routes);
}

ServerApp::~ServerApp() {
    Stop();
}

bool ServerApp::Open(QString* error) {
    const auto address = DatabaseAddress::Parse(m_options.db, error);
    if (!address) return false;
    // Owner-only from the start, also when an older version made them readable to everyone.
    for (const QString& folder :
         {m_options.dataDir, m_options.sendmail.isEmpty() ? m_options.outbox : QString()}) {
        if (!folder.isEmpty() && !MakePrivateFolder(folder)) {
            *error = QStringLiteral("cannot create %1 owner-only").arg(folder);
            return false;
        }
    }
    d = std::make_unique<Parts>(*address, m_options);
    if (!d->db.Open()) {
        *error = d->db.Error();
        return false;
    }
    try {
        const QList<int> applied = ApplyMigrations(d->db);
        if (m_log && !applied.isEmpty())
            std::fprintf(m_log, "schema: applied migration(s) up to %d\n", applied.last());
        if (m_options.demo && SeedDemo(d->db, d->accounts) && m_log)
            std::fprintf(m_log, "demo: account %s created\n", qPrintable(Demo::AdminLogin));
    } catch (const StoreError& e) {
        *error = e.Message();
        return false;
    }
    return true;
}

bool ServerApp::Start(QString* error) {
    if (!Open(error)) return false;
    d->dispatcher = std::make_unique<Dispatcher>(d->services, m_routes, m_log);
    const HttpLimits& limits = m_options.limits;
    d->http = std::make_unique<HttpServer>(
        [dispatcher = d->dispatcher.get()](const HttpRequest& r) { return dispatcher->Handle(r); },
        [routes = &m_routes, limits](const QString& path) {
            const Route* r = routes->Find(path);
            return r && r->body == BodySize::Import ? limits.maxImportBytes : limits.maxBodyBytes;
        },
        limits);
    if (!d->http->Start(m_options.address, m_options.port)) {
        *error = d->http->Error();
        return false;
    }
    if (m_log) {
        std::fprintf(m_log, "database %s, mail to %s\n", qPrintable(d->db.Address().Describe()),
                     qPrintable(d->mailer.Describe()));
        std::fflush(m_log);
    }
    return true;
}

void ServerApp::BeginStopping() {
    if (!d) return;
    d->health.SetStopping();
    if (d->http) d->http->BeginDraining();
}

unsigned ServerApp::RequestsInProgress() const {
    return d && d->http ? d->http->RequestsInProgress() : 0;
}

void ServerApp::Stop() {
    if (!d) return;
    if (d->http) d->http->Stop(); // joins the workers, which close their connections
    d.reset();
}

quint16 ServerApp::Port() const {
    return d && d->http ? d->http->Port() : 0;
}

QString ServerApp::ListenText() const {
    return m_options.ListenText(Port());
}

ServerServices& ServerApp::Services() {
    return d->services;
}

} // namespace kovrel::server
