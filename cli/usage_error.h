#pragma once

#include <QString>

#include <stdexcept>

// A command line, an argument or a parameter that cannot be used: reported in one line on
// stderr with exit status 2, before anything is sent.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
