#include "connection_table.h"

#include <sys/socket.h>

namespace kovrel::server {

namespace {

// How often overdue connections are looked for: a time is kept to within this much.
constexpr std::chrono::milliseconds kTick{250};
// An admitted connection the library has not taken up by then never will be.
constexpr std::chrono::seconds kTakeUp{30};

constexpr ConnectionTable::Clock::time_point kNever = ConnectionTable::Clock::time_point::max();

} // namespace

ConnectionTable::ConnectionTable(Limits limits, std::function<void()> roomMade)
    : m_limits(limits)
    , m_roomMade(std::move(roomMade))
    , m_thread([this] { run(); }) {}

ConnectionTable::~ConnectionTable() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool ConnectionTable::hasShare(const ClientAddress& client) const {
    return m_perAddress.value(client.host) >= m_limits.perAddress ||
           m_perNetwork.value(client.network) >= m_limits.perNetwork;
}

void ConnectionTable::count(const Connection& c, int delta) {
    unsigned& address = m_perAddress[c.client.host];
    unsigned& network = m_perNetwork[c.client.network];
    address += delta;
    network += delta;
    m_counted += delta;
    if (address == 0) m_perAddress.remove(c.client.host);
    if (network == 0) m_perNetwork.remove(c.client.network);
}

void ConnectionTable::shut(Connection& c) {
    c.closing = true;
    c.deadline = kNever;
    count(c, -1);
    ::shutdown(c.fd, SHUT_RDWR);
}

bool ConnectionTable::makeRoom() {
    Connection* slowest = nullptr;
    for (const auto& [key, c] : m_open)
        if (c->phase == Phase::Headers && !c->closing && !c->trusted &&
            (!slowest || c->since < slowest->since))
            slowest = c.get();
    if (!slowest) return false;
    shut(*slowest);
    return true;
}

ConnectionTable::Connection* ConnectionTable::Admit(int fd, const ClientAddress& client,
                                                    const QHostAddress& local, quint16 localPort) {
    const bool trusted = !m_limits.trusted.IsEmpty() && m_limits.trusted.Contains(client.address);
    const std::lock_guard lock(m_mutex);
    if (!trusted && hasShare(client)) return nullptr;
    if (m_counted >= m_limits.total && !makeRoom()) return nullptr;
    auto c = std::make_unique<Connection>();
    c->trusted = trusted;
    c->fd = fd;
    c->client = client;
    c->local = local;
    c->localPort = localPort;
    c->since = Clock::now();
    c->deadline = kNever;
    Connection* raw = c.get();
    count(*raw, +1);
    m_admitted[fd] = raw;
    m_open.emplace(raw, std::move(c));
    return raw;
}

void ConnectionTable::Drop(Connection* c) {
    Closed(c);
}

ConnectionTable::Connection* ConnectionTable::Started(int fd) {
    const std::lock_guard lock(m_mutex);
    const auto it = m_admitted.find(fd);
    if (it == m_admitted.end()) return nullptr;
    Connection* c = it->second;
    m_admitted.erase(it);
    const Clock::time_point now = Clock::now();
    c->phase = Phase::Headers;
    c->since = now;
    c->deadline = c->trusted ? kNever : now + m_limits.headerTime;
    return c;
}

void ConnectionTable::setPhase(Connection* c, Phase phase, Clock::time_point since,
                               Clock::time_point deadline) {
    if (!c) return;
    const std::lock_guard lock(m_mutex);
    c->phase = phase;
    c->since = since;
    if (!c->closing && !c->trusted) c->deadline = deadline;
}

void ConnectionTable::HeadersArrived(Connection* c) {
    if (c) setPhase(c, Phase::Body, c->since, c->since + m_limits.requestTime);
}

void ConnectionTable::BodyArrived(Connection* c) {
    if (c) setPhase(c, Phase::Replying, c->since, kNever);
}

void ConnectionTable::Answered(Connection* c) {
    const Clock::time_point now = Clock::now();
    setPhase(c, Phase::Headers, now, now + m_limits.headerTime);
}

void ConnectionTable::Linger(Connection* c, std::chrono::milliseconds time) {
    if (!c) return;
    const std::lock_guard lock(m_mutex);
    if (!c->closing) c->deadline = std::min(c->deadline, Clock::now() + time);
}

unsigned ConnectionTable::RequestsInProgress() {
    const std::lock_guard lock(m_mutex);
    unsigned busy = 0;
    for (const auto& [key, c] : m_open)
        busy += !c->closing && (c->phase == Phase::Body || c->phase == Phase::Replying);
    return busy;
}

void ConnectionTable::Closed(Connection* c) {
    if (!c) return;
    bool counted = false;
    {
        // Once this returns the watcher no longer touches the socket, which may then be closed
        // and its number given to another connection.
        const std::lock_guard lock(m_mutex);
        const auto it = m_open.find(c);
        if (it == m_open.end()) return;
        counted = !c->closing;
        if (counted) count(*c, -1);
        if (c->phase == Phase::Admitted) m_admitted.erase(c->fd);
        m_open.erase(it);
    }
    if (counted && m_roomMade) m_roomMade();
}

void ConnectionTable::run() {
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, kTick, [this] { return m_stop; })) {
        const Clock::time_point now = Clock::now();
        bool room = false;
        for (auto it = m_open.begin(); it != m_open.end();) {
            Connection& c = *it->second;
            if (c.phase == Phase::Admitted && now - c.since > kTakeUp) {
                // Its socket is the library's, which lost it: forget it, touch nothing.
                m_admitted.erase(c.fd);
                if (!c.closing) count(c, -1);
                room = true;
                it = m_open.erase(it);
                continue;
            }
            if (!c.closing && c.deadline <= now) {
                shut(c);
                room = true;
            }
            ++it;
        }
        if (room && m_roomMade) {
            lock.unlock();
            m_roomMade();
            lock.lock();
        }
    }
}

} // namespace kovrel::server
