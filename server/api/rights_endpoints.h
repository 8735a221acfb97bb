#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Users' function rights, their access to stores, and new passwords for users.
void RegisterRightsEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
