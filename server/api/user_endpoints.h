#pragma once

namespace kovrel::server {

class EndpointRegistry;

// The users of the account: for the administrator only.
void RegisterUserEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
