#include "document_access.h"

#include "database.h"
#include "document_store.h"
#include "http_error.h"
#include "request_context.h"
#include "sql_conditions.h"

#include <QDateTime>

namespace kovrel::server {

namespace {

HttpError refused(const QString& why) {
    return HttpError(403, QStringLiteral("Доступ запрещен: %1").arg(why));
}

} // namespace

void DocumentAccess::RequireRead() const {
    if (!m_ctx.HasRight(m_kind.rightView) && !m_ctx.HasRight(m_kind.rightFull)) throw HttpError::Forbidden();
}

void DocumentAccess::RequireWrite() const {
    m_ctx.RequireRight(m_kind.rightFull);
}

void DocumentAccess::RequireDeletable() const {
    if (!m_ctx.IsAdmin() && m_ctx.RightValue(m_kind.rightNoDelete) != 0)
        throw refused(QStringLiteral("удаление документов запрещено"));
}

void DocumentAccess::RequireOpen(const QDate& date) const {
    RequireOpenDate(m_ctx, m_kind.rightLock, date);
}

void DocumentAccess::RequireOpenDate(const RequestContext& ctx, int lockRight, const QDate& date) {
    if (ctx.IsAdmin()) return;
    const int days = ctx.RightValue(lockRight);
    if (days <= 0) return;
    const qint64 seconds = qAbs(QDateTime(date, QTime(0, 0)).secsTo(QDateTime::currentDateTime()));
    if (seconds / 86400 >= days)
        throw refused(QStringLiteral("документы старше %1 дн. изменять нельзя").arg(days));
}

bool DocumentAccess::fullAccess(int store) const {
    return m_ctx.StoreLevel(store) == 1;
}

void DocumentAccess::RequireStores(const DocHeader& h) const {
    for (int store : {h.store, m_kind.twoStores ? h.storeP : 0})
        if (store > 0 && !fullAccess(store))
            throw refused(QStringLiteral("нет полного доступа к складу %1").arg(store));
}

DocHeader DocumentAccess::find(int id) const {
    const auto h = DocumentStore(m_ctx.Services().db, m_ctx.AccountId()).FindHeader(m_kind, id);
    if (!h) throw HttpError::NotFound(QStringLiteral("Документ не найден"));
    return *h;
}

DocHeader DocumentAccess::Readable(int id) const {
    RequireRead();
    const DocHeader h = find(id);
    const bool listed = fullAccess(h.store) || (m_kind.twoStores && fullAccess(h.storeP));
    if (!listed) throw refused(QStringLiteral("нет полного доступа к складу документа"));
    return h;
}

DocHeader DocumentAccess::Changeable(int id) const {
    RequireWrite();
    const DocHeader h = find(id);
    RequireStores(h);
    RequireOpen(h.date);
    return h;
}

void DocumentAccess::LimitList(SqlConditions& where, const QString& storeColumn,
                               const QString& storePColumn) const {
    if (m_ctx.IsAdmin()) return;
    const QString limited = QStringLiteral("EXISTS (SELECT 1 FROM store_rights r WHERE r.account_id = ? "
                                           "AND r.id_user = ? AND r.id_store = %1 AND r.ur <> 1)");
    const QVariantList who = {m_ctx.AccountId(), m_ctx.UserId()};
    if (m_kind.twoStores)
        where.Add(QStringLiteral("NOT (%1 AND %2)").arg(limited.arg(storeColumn), limited.arg(storePColumn)),
                  who + who);
    else
        where.Add(QStringLiteral("NOT %1").arg(limited.arg(storeColumn)), who);
}

} // namespace kovrel::server
