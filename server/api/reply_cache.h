#pragma once

#include "http_message.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>

#include <deque>
#include <optional>

namespace kovrel::server {

class RequestContext;

// Replies of read routes, reused while the account's data has not changed. Every write request
// raises the account's data version (accounts.data_version) in its own transaction, and a read
// looks its reply up under the version it reads in its own snapshot, so a reply is never older
// than the data; several servers on one database see the same versions. The key is the person
// (account and user, whose rights shape the reply), the path and every field after the four
// authentication fields. Memory is bounded: the oldest replies go first.
class ReplyCache {
public:
    explicit ReplyCache(qsizetype budgetBytes = 64 * 1024 * 1024)
        : m_budget(budgetBytes) {}

    static QByteArray Key(const RequestContext& ctx);
    std::optional<HttpResponse> Find(const QByteArray& key, qint64 version);
    void Store(const QByteArray& key, qint64 version, const HttpResponse& reply);

private:
    struct Entry {
        qint64 version;
        HttpResponse reply;
    };
    static qsizetype cost(const QByteArray& key, const HttpResponse& reply);

    const qsizetype m_budget;
    QMutex m_mutex;
    QHash<QByteArray, Entry> m_entries;
    std::deque<QByteArray> m_order; // the keys, oldest first, each once
    qsizetype m_bytes = 0;
};

} // namespace kovrel::server
