#pragma once

namespace kovrel::server {

class EndpointRegistry;

// The administrator's backup of the account, and its one-time download.
void RegisterBackupEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
