#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_set>

namespace kovrel::server {

// Closes connections whose request has not arrived whole in time. The HTTP library's own
// timeout counts from the last byte received, so a client that sends a byte now and then holds
// its connection forever; here the time runs from the moment a connection may send its next
// request (opened, or its previous reply sent) and stops when that request is complete, however
// its bytes come. A connection over time is shut down under the library, which then closes it.
class RequestDeadlines {
public:
    using Clock = std::chrono::steady_clock;

    // One connection, as long as the library keeps it.
    struct Watched {
        int fd = -1;
        std::atomic<Clock::rep> deadline{0}; // 0: no request being received
    };

    explicit RequestDeadlines(std::chrono::seconds limit);
    ~RequestDeadlines();
    RequestDeadlines(const RequestDeadlines&) = delete;
    RequestDeadlines& operator=(const RequestDeadlines&) = delete;

    // A new connection: its first request's time starts.
    Watched* Opened(int fd);
    // Its request has arrived whole: no time runs while it is answered.
    void Received(Watched* w) { w->deadline = 0; }
    // Its reply is out: the next request's time starts.
    void Answered(Watched* w) { arm(w); }
    // The library has let the connection go; called before the socket is closed.
    void Closed(Watched* w);

private:
    void arm(Watched* w) const;
    void run();

    const std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::unordered_set<Watched*> m_watched;
    std::thread m_thread;
};

} // namespace kovrel::server
