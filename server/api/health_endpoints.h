#pragma once

#include <QLatin1StringView>

namespace kovrel::server {

class EndpointRegistry;

// "GET /health" for load balancers: 200 "ok" when this server can serve, 503 otherwise.
inline constexpr QLatin1StringView kHealthPath{"/health"};

void RegisterHealthEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
