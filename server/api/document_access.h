#pragma once

#include "doc_kind.h"
#include "doc_records.h"

#include <QDate>

namespace kovrel::server {

class RequestContext;
class SqlConditions;

// What the signed-in person may do with the goods documents of one kind, as the client's own
// checks decide it, so that a client that skips them gets nowhere: the kind's view or full right
// to read, its full right to change, its deletion prohibition, its days lock, and full access to
// the document's stores. The administrator may do everything. Refusals are 403 with a reason;
// an ID that is not a document of this kind and account is 404.
class DocumentAccess {
public:
    DocumentAccess(const RequestContext& ctx, const DocKind& kind)
        : m_ctx(ctx)
        , m_kind(kind) {}

    void RequireRead() const;
    void RequireWrite() const;
    void RequireDeletable() const;
    // A document of this date may be created or changed (the days lock).
    void RequireOpen(const QDate& date) const;
    // Full access to the store, and to the receiving store of a transfer.
    void RequireStores(const DocHeader& h) const;

    // A stored document that the person may read: listed for him (full access to its store, or
    // to either store of a transfer).
    DocHeader Readable(int id) const;
    // A stored document that the person may change.
    DocHeader Changeable(int id) const;

    // Limits a list of documents (columns of the store and the receiving store) to those listed
    // for the person.
    void LimitList(SqlConditions& where, const QString& storeColumn, const QString& storePColumn) const;

    // The days lock of any kind (money operations too): whole days between now and the date,
    // either way, must stay below the lock's value.
    static void RequireOpenDate(const RequestContext& ctx, int lockRight, const QDate& date);

private:
    DocHeader find(int id) const;
    bool fullAccess(int store) const;

    const RequestContext& m_ctx;
    const DocKind& m_kind;
};

} // namespace kovrel::server
