#include "all_endpoints.h"

#include "account_endpoints.h"
#include "backup_endpoints.h"
#include "document_endpoints.h"
#include "document_line_endpoints.h"
#include "goods_endpoints.h"
#include "health_endpoints.h"
#include "klient_endpoints.h"
#include "money_endpoints.h"
#include "named_catalog_endpoints.h"
#include "receipt_endpoints.h"
#include "report_endpoints.h"
#include "rights_endpoints.h"
#include "user_endpoints.h"

namespace kovrel::server {

void RegisterAllEndpoints(EndpointRegistry& routes) {
    RegisterAccountEndpoints(routes);
    RegisterDocumentEndpoints(routes);
    RegisterDocumentLineEndpoints(routes);
    RegisterReceiptEndpoints(routes);
    RegisterMoneyEndpoints(routes);
    RegisterReportEndpoints(routes);
    RegisterNamedCatalogEndpoints(routes);
    RegisterKlientEndpoints(routes);
    RegisterGoodsEndpoints(routes);
    RegisterUserEndpoints(routes);
    RegisterRightsEndpoints(routes);
    RegisterBackupEndpoints(routes);
    RegisterHealthEndpoints(routes);
}

} // namespace kovrel::server
