#include "body_budget.h"

namespace kovrel::server {

bool BodyBudget::Reserve(const QString& client, qsizetype bytes) {
    if (bytes <= 0) return true;
    const std::lock_guard lock(m_mutex);
    qsizetype& mine = m_byClient[client];
    if (m_held + bytes > m_total || mine + bytes > m_perClient) {
        if (mine == 0) m_byClient.remove(client);
        return false;
    }
    mine += bytes;
    m_held += bytes;
    return true;
}

void BodyBudget::Release(const QString& client, qsizetype bytes) {
    if (bytes <= 0) return;
    const std::lock_guard lock(m_mutex);
    m_held -= bytes;
    const auto it = m_byClient.find(client);
    if (it == m_byClient.end()) return;
    *it -= bytes;
    if (*it <= 0) m_byClient.erase(it);
}

} // namespace kovrel::server
