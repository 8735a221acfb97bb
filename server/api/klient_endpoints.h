#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Counterparties of kinds 1 to 4 (buyers and suppliers, accounts and cash desks, overheads,
// investments) with their managers and document sums, and the requisites of counterparties
// and of the own organization.
void RegisterKlientEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
