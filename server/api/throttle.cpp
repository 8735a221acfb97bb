#include "throttle.h"

#include <QDateTime>
#include <QMutexLocker>

#include <algorithm>
#include <chrono>

namespace kovrel::server {

namespace {

// Beyond this many keys, those whose window has passed are dropped; the table stays small
// whatever keys a client makes up.
constexpr qsizetype kMaxKeys = 100000;

qint64 nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

int Throttle::Wait(const QString& key) {
    const qint64 now = nowMs();
    const QMutexLocker lock(&m_mutex);
    const auto it = m_entries.constFind(key);
    if (it == m_entries.cend() || it->lockedUntilMs <= now) return 0;
    return static_cast<int>((it->lockedUntilMs - now + 999) / 1000);
}

void Throttle::Record(const QString& key) {
    const qint64 now = nowMs();
    const QMutexLocker lock(&m_mutex);
    if (m_entries.size() >= kMaxKeys) prune(now);
    Entry& e = m_entries[key];
    if (e.count == 0 || now - e.lastMs > m_rule.windowSeconds * 1000LL) {
        e.count = 0;
        e.beganEpochMs = QDateTime::currentMSecsSinceEpoch();
    }
    ++e.count;
    e.lastMs = now;
    const int past = e.count - m_rule.free;
    if (past <= 0) return;
    const qint64 seconds = std::min<qint64>(qint64(m_rule.firstLockSeconds) << std::min(past - 1, 30),
                                            m_rule.longestLockSeconds);
    e.lockedUntilMs = now + seconds * 1000;
}

void Throttle::Forget(const QString& key) {
    const QMutexLocker lock(&m_mutex);
    m_entries.remove(key);
}

void Throttle::ForgetIfBefore(const QString& key, qint64 epochMs) {
    const QMutexLocker lock(&m_mutex);
    const auto it = m_entries.constFind(key);
    if (it != m_entries.cend() && it->beganEpochMs < epochMs) m_entries.erase(it);
}

void Throttle::prune(qint64 now) {
    m_entries.removeIf([&](const QHash<QString, Entry>::iterator it) {
        return now - it->lastMs > m_rule.windowSeconds * 1000LL && it->lockedUntilMs <= now;
    });
    // Still full: everyone is counted afresh rather than the table growing without end.
    if (m_entries.size() >= kMaxKeys) m_entries.clear();
}

QString WaitText(int seconds) {
    if (seconds < 120) return QStringLiteral("%1 с").arg(seconds);
    return QStringLiteral("%1 мин").arg((seconds + 59) / 60);
}

} // namespace kovrel::server
