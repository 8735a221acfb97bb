#include "health_endpoints.h"

#include "endpoint_registry.h"
#include "health_probe.h"
#include "request_context.h"

namespace kovrel::server {

namespace {

// Longer than any statement of a sound database takes; a balancer asks again soon anyway.
constexpr std::chrono::milliseconds kDatabaseWait{1000};

// No sign-in and nothing of any account: only whether requests sent here can be served.
HttpResponse health(RequestContext& ctx) {
    HealthProbe& probe = ctx.Services().health;
    if (probe.Stopping()) return HttpResponse::Text(503, QStringLiteral("Сервер останавливается"));
    if (!probe.DatabaseAnswers(kDatabaseWait))
        return HttpResponse::Text(503, QStringLiteral("База данных недоступна"));
    return HttpResponse::Text(200, QStringLiteral("ok"));
}

} // namespace

void RegisterHealthEndpoints(EndpointRegistry& routes) {
    routes.Add({QString(kHealthPath), Access::None, Auth::None, health, "GET", Cache::Never});
}

} // namespace kovrel::server
