#include "report_request.h"

#include "http_error.h"
#include "request_context.h"

namespace kovrel::server {

ReportRequest::ReportRequest(const RequestContext& ctx, int right)
    : m_ctx(ctx) {
    ctx.RequireRight(right);
    m_params.account = ctx.AccountId();
    if (ctx.IsAdmin()) return;
    auto q =
        ctx.Query(QStringLiteral(
                      "SELECT id_store FROM store_rights WHERE account_id = ? AND id_user = ? AND ur = 0"))
            .Bind(ctx.AccountId())
            .Bind(ctx.UserId())
            .Run();
    while (q.Next())
        m_params.deniedStores.append(q.Int(0));
}

QString ReportRequest::date(const char* field) const {
    return m_ctx.Date(QString::fromLatin1(field)).toString(Qt::ISODate);
}

ReportRequest& ReportRequest::Find() {
    m_params.find = m_ctx.TextOr(QStringLiteral("find_win"));
    return *this;
}

ReportRequest& ReportRequest::Zero() {
    m_params.zero = m_ctx.Int(QStringLiteral("flag_zero")) != 0;
    return *this;
}

ReportRequest& ReportRequest::Store() {
    m_params.store = m_ctx.Int(QStringLiteral("code_store"));
    if (m_params.store > 0 && m_params.deniedStores.contains(m_params.store))
        throw HttpError(403, QStringLiteral("Доступ запрещен: нет доступа к складу"));
    return *this;
}

ReportRequest& ReportRequest::Goods() {
    m_params.goods = m_ctx.Int(QStringLiteral("id_goods"));
    return *this;
}

ReportRequest& ReportRequest::UpTo() {
    m_params.dateEnd = date("dat");
    return *this;
}

ReportRequest& ReportRequest::Period() {
    m_params.dateBegin = date("dat_begin");
    m_params.dateEnd = date("dat_end");
    return *this;
}

ReportRequest& ReportRequest::Klient(const char* field) {
    m_params.klient = m_ctx.Int(QString::fromLatin1(field));
    return *this;
}

ReportRequest& ReportRequest::Manager() {
    m_params.manager = m_ctx.Int(QStringLiteral("code_manager"));
    return *this;
}

ReportRequest& ReportRequest::Detail() {
    m_params.detail = m_ctx.Int(QStringLiteral("code_detal"));
    return *this;
}

} // namespace kovrel::server
