#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Registers every endpoint family of the service.
void RegisterAllEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
