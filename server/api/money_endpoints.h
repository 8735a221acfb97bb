#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Money operations: the journal, insert, update and delete.
void RegisterMoneyEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
