#pragma once

#include <QHash>
#include <QString>

#include <mutex>

namespace kovrel::server {

// The memory that request bodies may hold, from their first byte until their request is done:
// at most `total` bytes for all clients together and `perClient` for one (ClientAddress::key),
// so that a few clients cannot take all of it. A request that finds no room is refused, not
// made to wait. Thread-safe.
class BodyBudget {
public:
    BodyBudget(qsizetype total, qsizetype perClient)
        : m_total(total)
        , m_perClient(perClient) {}

    // False, with nothing reserved, when the bytes would not fit.
    bool Reserve(const QString& client, qsizetype bytes);
    void Release(const QString& client, qsizetype bytes);

private:
    const qsizetype m_total;
    const qsizetype m_perClient;
    mutable std::mutex m_mutex;
    qsizetype m_held = 0;
    QHash<QString, qsizetype> m_byClient;
};

} // namespace kovrel::server
