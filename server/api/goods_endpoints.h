#pragma once

namespace kovrel::server {

class EndpointRegistry;

// Goods and kits, and the goods with their stock in a store.
void RegisterGoodsEndpoints(EndpointRegistry& routes);

} // namespace kovrel::server
