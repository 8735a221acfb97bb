#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Stores, managers and goods categories: entries with a name and a note, listed with a search,
// inserted, renamed and marked deleted.
void RegisterNamedCatalogEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
