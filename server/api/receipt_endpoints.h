#pragma once

namespace kovrel::server {

class EndpointRegistry;

// What only receipts have: the line update that may change the purchase price
// ("/update-prh-items.php") and the spreadsheet import ("/insert-prh-excel-win.php").
void RegisterReceiptEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
