#include "request_deadlines.h"

#include <sys/socket.h>

namespace kovrel::server {

namespace {

// How often overdue connections are looked for: a deadline is kept to within this much.
constexpr std::chrono::milliseconds kTick{250};

} // namespace

RequestDeadlines::RequestDeadlines(std::chrono::seconds limit)
    : m_limit(limit)
    , m_thread([this] { run(); }) {}

RequestDeadlines::~RequestDeadlines() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
    for (Watched* w : m_watched)
        delete w;
}

RequestDeadlines::Watched* RequestDeadlines::Opened(int fd) {
    auto* w = new Watched;
    w->fd = fd;
    arm(w);
    const std::lock_guard lock(m_mutex);
    m_watched.insert(w);
    return w;
}

void RequestDeadlines::Closed(Watched* w) {
    {
        // Once this returns the watcher no longer touches the socket, which may then be closed
        // and its number given to another connection.
        const std::lock_guard lock(m_mutex);
        m_watched.erase(w);
    }
    delete w;
}

void RequestDeadlines::arm(Watched* w) const {
    w->deadline = (Clock::now() + m_limit).time_since_epoch().count();
}

void RequestDeadlines::run() {
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, kTick, [this] { return m_stop; })) {
        const Clock::rep now = Clock::now().time_since_epoch().count();
        for (Watched* w : m_watched) {
            Clock::rep deadline = w->deadline;
            // The exchange fails when the request arrived (or the next one began) meanwhile.
            if (deadline != 0 && deadline <= now && w->deadline.compare_exchange_strong(deadline, 0))
                ::shutdown(w->fd, SHUT_RDWR);
        }
    }
}

} // namespace kovrel::server
