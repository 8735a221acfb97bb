#pragma once

namespace kovrel::server {

class EndpointRegistry;

// "/create-db.php" (a new administrator password, and the account when the login is new) and
// "/get-lic-v3.php" (the sign-in answer).
void RegisterAccountEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
