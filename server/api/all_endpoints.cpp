#include "all_endpoints.h"

#include "account_endpoints.h"

namespace kovrel::server {

void RegisterAllEndpoints(EndpointRegistry& routes) {
    RegisterAccountEndpoints(routes);
}

} // namespace kovrel::server
