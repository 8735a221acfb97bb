#pragma once

#include <chrono>
#include <memory>

namespace kovrel {

// What the program does while a request waits for the service. The transport calls Begin when a
// request goes out, Continue every few hundredths of a second until the answer is in, and End
// once it is over, whatever happened. The windows install one that keeps the screen painted,
// lets no other input through and, after a while, offers to cancel; without one (kovrel-cli)
// the request simply waits for its answer or its time limit.
class RequestWaiter {
public:
    virtual ~RequestWaiter() = default;
    virtual void Begin() = 0;
    // `elapsed` since Begin; false cancels the request.
    virtual bool Continue(std::chrono::milliseconds elapsed) = 0;
    virtual void End() = 0;
};

// Installs a waiter and returns the previous one; null installs none.
std::unique_ptr<RequestWaiter> SetRequestWaiter(std::unique_ptr<RequestWaiter> waiter);
// The waiter in place, or null.
RequestWaiter* CurrentRequestWaiter();

} // namespace kovrel
