#pragma once

#include <QString>

#include <stdexcept>

namespace kovrel::server {

// A failure of the database: the driver's text, whether running the whole transaction again
// may succeed (a serialization failure, a deadlock, a busy database), and whether the database
// had no disk space for what it was to write.
class StoreError : public std::runtime_error {
public:
    StoreError(const QString& message, bool retryable, bool diskFull = false)
        : std::runtime_error(message.toStdString())
        , m_retryable(retryable)
        , m_diskFull(diskFull) {}
    bool Retryable() const { return m_retryable; }
    bool DiskFull() const { return m_diskFull; }
    QString Message() const { return QString::fromStdString(what()); }

private:
    bool m_retryable;
    bool m_diskFull;
};

} // namespace kovrel::server
