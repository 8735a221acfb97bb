#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace kovrel::server {

class Database;

// Whether this server can serve, for a load balancer: the database answers and the server is
// not stopping. The database is asked on a thread of the probe's own, with a connection of its
// own, so that a database that hangs holds up that thread alone: whoever asks waits at most the
// time he gives. Callers at the same moment share one check. Thread-safe.
class HealthProbe {
public:
    explicit HealthProbe(Database& db);
    ~HealthProbe();
    HealthProbe(const HealthProbe&) = delete;
    HealthProbe& operator=(const HealthProbe&) = delete;

    // Whether a statement begun after the call was answered within `wait`.
    bool DatabaseAnswers(std::chrono::milliseconds wait);

    // From now on the server finishes what it has and takes nothing new.
    void SetStopping() { m_stopping = true; }
    bool Stopping() const { return m_stopping; }

private:
    void run();
    bool check();

    Database& m_db;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    std::condition_variable m_asked;
    std::condition_variable m_answered;
    std::uint64_t m_lastAsked = 0;
    std::uint64_t m_lastDone = 0;
    bool m_lastOk = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace kovrel::server
