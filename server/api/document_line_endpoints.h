#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Lines of receipts, sales waybills, orders and internal transfers: lists and one-line reads
// with the stock of the requested store(s), insert, update and delete. The receipt line update
// is in receipt_endpoints.
void RegisterDocumentLineEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
