#pragma once

#include <QString>

#include <stdexcept>

namespace kovrel::server {

// A failure of the database: the driver's text, whether running the whole transaction again
// may succeed (a serialization failure, a deadlock, a busy database), whether the database
// had no disk space for what it was to write, and whether the database could not be reached at
// all (down, restarting, the connection lost), so that nothing could be read or written.
class StoreError : public std::runtime_error {
public:
    StoreError(const QString& message, bool retryable, bool diskFull = false, bool unreachable = false)
        : std::runtime_error(message.toStdString())
        , m_retryable(retryable)
        , m_diskFull(diskFull)
        , m_unreachable(unreachable) {}
    bool Retryable() const { return m_retryable; }
    bool DiskFull() const { return m_diskFull; }
    bool Unreachable() const { return m_unreachable; }
    QString Message() const { return QString::fromStdString(what()); }

private:
    bool m_retryable;
    bool m_diskFull;
    bool m_unreachable;
};

} // namespace kovrel::server
