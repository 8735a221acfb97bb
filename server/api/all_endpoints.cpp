#include "all_endpoints.h"

#include "account_endpoints.h"
#include "document_endpoints.h"
#include "document_line_endpoints.h"
#include "money_endpoints.h"
#include "receipt_endpoints.h"
#include "report_endpoints.h"

namespace kovrel::server {

void RegisterAllEndpoints(EndpointRegistry& routes) {
    RegisterAccountEndpoints(routes);
    RegisterDocumentEndpoints(routes);
    RegisterDocumentLineEndpoints(routes);
    RegisterReceiptEndpoints(routes);
    RegisterMoneyEndpoints(routes);
    RegisterReportEndpoints(routes);
}

} // namespace kovrel::server
