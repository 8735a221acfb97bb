#pragma once

#include "report_params.h"

namespace kovrel::server {

class RequestContext;

// Reads a report request's fields into ReportParams, field by field as the report needs them
// (400 for a missing or malformed one), after checking the report's right. Stores the person
// has no access to are left out of "all stores", and asking for one of them is refused.
class ReportRequest {
public:
    ReportRequest(const RequestContext& ctx, int right);

    ReportRequest& Find();   // "find_win"
    ReportRequest& Zero();   // "flag_zero"
    ReportRequest& Store();  // "code_store"
    ReportRequest& Goods();  // "id_goods"
    ReportRequest& UpTo();   // "dat"
    ReportRequest& Period(); // "dat_begin", "dat_end"
    ReportRequest& Klient(const char* field = "code_kl");
    ReportRequest& Manager(); // "code_manager"
    ReportRequest& Detail();  // "code_detal"

    const ReportParams& Params() const { return m_params; }

private:
    QString date(const char* field) const;

    const RequestContext& m_ctx;
    ReportParams m_params;
};

} // namespace kovrel::server
