#include "reply_cache.h"

#include "request_context.h"

#include <QMutexLocker>

namespace kovrel::server {

namespace {

// The authentication fields, wherever a client puts them, are not part of a key.
bool authenticationField(const QString& name) {
    return name == QLatin1String("login") || name == QLatin1String("dop_login") ||
           name == QLatin1String("token") || name == QLatin1String("client");
}

} // namespace

QByteArray ReplyCache::Key(const RequestContext& ctx) {
    QByteArray key;
    key.reserve(256);
    key.append(QByteArray::number(ctx.AccountId())).append(' ');
    key.append(QByteArray::number(ctx.UserId())).append(' ');
    key.append(ctx.Http().path.toUtf8());
    for (const auto& field : ctx.Form().fields) {
        if (authenticationField(field.name)) continue;
        key.append('\0').append(field.name.toUtf8()).append('=').append(field.value.toUtf8());
    }
    return key;
}

qsizetype ReplyCache::cost(const QByteArray& key, const HttpResponse& reply) {
    return key.size() + reply.body.size() + 256;
}

std::optional<HttpResponse> ReplyCache::Find(const QByteArray& key, qint64 version) {
    QMutexLocker lock(&m_mutex);
    const auto it = m_entries.constFind(key);
    if (it == m_entries.constEnd() || it->version != version) return std::nullopt;
    return it->reply;
}

void ReplyCache::Store(const QByteArray& key, qint64 version, const HttpResponse& reply) {
    const qsizetype bytes = cost(key, reply);
    if (bytes > m_budget / 8) return; // one reply never takes most of the room
    QMutexLocker lock(&m_mutex);
    if (const auto it = m_entries.find(key); it != m_entries.end()) {
        if (it->version >= version) return; // as new a reply is there already
        m_bytes -= cost(key, it->reply);
        m_entries.erase(it); // keeps its place in m_order, which names each key once
    } else {
        m_order.push_back(key);
    }
    while (m_bytes + bytes > m_budget && m_order.size() > 1) {
        const auto old = m_entries.constFind(m_order.front());
        if (old != m_entries.constEnd()) {
            m_bytes -= cost(old.key(), old->reply);
            m_entries.erase(old);
        }
        if (m_order.front() == key) m_order.push_back(key); // the one being stored stays
        m_order.pop_front();
    }
    m_entries.insert(key, {version, reply});
    m_bytes += bytes;
}

} // namespace kovrel::server
