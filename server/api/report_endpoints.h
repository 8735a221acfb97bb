#pragma once

namespace kovrel::server {

class EndpointRegistry;

// The eight reports: stock, goods movement card, sales and purchase structure and dynamics,
// debts and the settlement card, each guarded by its right (6001 to 6008).
void RegisterReportEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
