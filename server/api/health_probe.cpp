#include "health_probe.h"

#include "database.h"
#include "store_error.h"

namespace kovrel::server {

HealthProbe::HealthProbe(Database& db)
    : m_db(db)
    , m_thread([this] { run(); }) {}

HealthProbe::~HealthProbe() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_asked.notify_one();
    m_thread.join();
}

bool HealthProbe::DatabaseAnswers(std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    const std::uint64_t ticket = ++m_lastAsked;
    m_asked.notify_one();
    const bool done = m_answered.wait_for(lock, wait, [&] { return m_lastDone >= ticket; });
    return done && m_lastOk;
}

void HealthProbe::run() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_asked.wait(lock, [this] { return m_stop || m_lastAsked > m_lastDone; });
        if (m_stop) return;
        const std::uint64_t asked = m_lastAsked;
        lock.unlock();
        const bool ok = check();
        lock.lock();
        m_lastDone = asked;
        m_lastOk = ok;
        m_answered.notify_all();
    }
}

bool HealthProbe::check() {
    try {
        auto q = m_db.Query(QStringLiteral("SELECT 1")).Run();
        return q.Next() && q.Int(0) == 1;
    } catch (const StoreError&) {
        return false; // the next check opens a new connection when this one was lost
    }
}

} // namespace kovrel::server
