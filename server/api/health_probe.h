#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
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
    // A check stuck on a database that does not answer is left behind after a moment rather
    // than holding up the server's end.
    ~HealthProbe();
    HealthProbe(const HealthProbe&) = delete;
    HealthProbe& operator=(const HealthProbe&) = delete;

    // Whether a statement begun after the call was answered within `wait`.
    bool DatabaseAnswers(std::chrono::milliseconds wait);

    // From now on the server finishes what it has and takes nothing new.
    void SetStopping() { m_stopping = true; }
    bool Stopping() const { return m_stopping; }

    static constexpr std::chrono::milliseconds kLeaveAfter{2000};

private:
    struct State; // shared with the thread, which may outlive the probe
    static void run(const std::shared_ptr<State>& state, Database& db);
    static bool check(Database& db);

    std::atomic<bool> m_stopping{false};
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};

} // namespace kovrel::server
