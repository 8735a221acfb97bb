#pragma once

#include <QString>

#include <stdexcept>

namespace kovrel::server {

// A failure of the database: the driver's text and whether running the whole transaction
// again may succeed (a serialization failure, a deadlock, a busy database).
class StoreError : public std::runtime_error {
public:
    StoreError(const QString& message, bool retryable)
        : std::runtime_error(message.toStdString())
        , m_retryable(retryable) {}
    bool Retryable() const { return m_retryable; }
    QString Message() const { return QString::fromStdString(what()); }

private:
    bool m_retryable;
};

} // namespace kovrel::server
