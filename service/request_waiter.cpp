#include "request_waiter.h"

namespace kovrel {

namespace {

std::unique_ptr<RequestWaiter>& slot() {
    static std::unique_ptr<RequestWaiter> waiter;
    return waiter;
}

} // namespace

std::unique_ptr<RequestWaiter> SetRequestWaiter(std::unique_ptr<RequestWaiter> waiter) {
    std::swap(slot(), waiter);
    return waiter;
}

RequestWaiter* CurrentRequestWaiter() {
    return slot().get();
}

} // namespace kovrel
