#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Headers of receipts, sales waybills, orders and internal transfers: the journal lists, insert,
// update and delete ("/list-nkl-json.php", "/insert-nkl.php" … for each kind).
void RegisterDocumentEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
