#include "health_probe.h"

#include "database.h"
#include "store_error.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace kovrel::server {

struct HealthProbe::State {
    std::mutex mutex;
    std::condition_variable asked;
    std::condition_variable answered;
    std::uint64_t lastAsked = 0;
    std::uint64_t lastDone = 0;
    bool lastOk = false;
    bool stop = false;
    bool checking = false;
};

HealthProbe::HealthProbe(Database& db)
    : m_state(std::make_shared<State>())
    , m_thread([state = m_state, &db] { run(state, db); }) {}

HealthProbe::~HealthProbe() {
    std::unique_lock lock(m_state->mutex);
    m_state->stop = true;
    m_state->asked.notify_one();
    const bool idle = m_state->answered.wait_for(lock, kLeaveAfter, [this] { return !m_state->checking; });
    lock.unlock();
    // A thread still in its check is left to the end of the process, which follows at once: the
    // probe goes only when the server stops.
    if (idle)
        m_thread.join();
    else
        m_thread.detach();
}

bool HealthProbe::DatabaseAnswers(std::chrono::milliseconds wait) {
    State& s = *m_state;
    std::unique_lock lock(s.mutex);
    const std::uint64_t ticket = ++s.lastAsked;
    s.asked.notify_one();
    const bool done = s.answered.wait_for(lock, wait, [&] { return s.lastDone >= ticket; });
    return done && s.lastOk;
}

void HealthProbe::run(const std::shared_ptr<State>& state, Database& db) {
    State& s = *state;
    std::unique_lock lock(s.mutex);
    while (true) {
        s.asked.wait(lock, [&] { return s.stop || s.lastAsked > s.lastDone; });
        if (s.stop) return;
        const std::uint64_t asked = s.lastAsked;
        s.checking = true;
        lock.unlock();
        const bool ok = check(db);
        lock.lock();
        s.checking = false;
        s.lastDone = asked;
        s.lastOk = ok;
        s.answered.notify_all();
    }
}

bool HealthProbe::check(Database& db) {
    try {
        auto q = db.Query(QStringLiteral("SELECT 1")).Run();
        return q.Next() && q.Int(0) == 1;
    } catch (const StoreError&) {
        return false; // the next check opens a new connection when this one was lost
    }
}

} // namespace kovrel::server
