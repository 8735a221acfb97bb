#pragma once

#include <QString>

#include <stdexcept>

// Why a report cannot be prepared; thrown inside the engine, caught by ReportEngine::prepare.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
