#include "all_endpoints.h"

#include "account_endpoints.h"
#include "backup_endpoints.h"
#include "goods_endpoints.h"
#include "klient_endpoints.h"
#include "named_catalog_endpoints.h"
#include "rights_endpoints.h"
#include "user_endpoints.h"

namespace kovrel::server {

void RegisterAllEndpoints(EndpointRegistry& routes) {
    RegisterAccountEndpoints(routes);
    RegisterNamedCatalogEndpoints(routes);
    RegisterKlientEndpoints(routes);
    RegisterGoodsEndpoints(routes);
    RegisterUserEndpoints(routes);
    RegisterRightsEndpoints(routes);
    RegisterBackupEndpoints(routes);
}

} // namespace kovrel::server
