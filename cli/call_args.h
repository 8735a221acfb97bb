#pragma once

#include "date_time.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>

#include <optional>

// The parameters of one call, given as one JSON object (ARGS_JSON). Each getter checks the
// value's kind and remembers the name, so that names nobody asked for can be reported as unknown
// afterwards. Every problem is a usage error naming the parameter.
class CallArgs {
public:
    // Parses ARGS_JSON; anything but one JSON object is a usage error.
    static CallArgs Parse(const QString& json);
    explicit CallArgs(QJsonObject object = {});

    bool Has(const QString& name) const { return m_object.contains(name); }
    QStringList Names() const { return m_object.keys(); }
    // Gives an absent parameter a value, as if ARGS_JSON held it.
    void SetDefault(const QString& name, const QJsonValue& value) {
        if (!Has(name)) m_object.insert(name, value);
    }

    QString Text(const QString& name, std::optional<QString> def = std::nullopt);
    int Int(const QString& name, std::optional<int> def = std::nullopt);
    // true/false, or 0/1, for the integer flags some operations take.
    int IntFlag(const QString& name);
    bool Bool(const QString& name, std::optional<bool> def = std::nullopt);
    TDateTime Date(const QString& name, std::optional<TDateTime> def = std::nullopt);
    double Number(const QString& name);
    QJsonObject Object(const QString& name);
    QJsonArray Array(const QString& name);

    // Fails with the first parameter that no getter asked for.
    void CheckAllUsed(const QString& operation) const;

private:
    // The value, or nothing when it is absent and a default exists; absent without one fails.
    std::optional<QJsonValue> take(const QString& name, bool hasDefault);

    QJsonObject m_object;
    QSet<QString> m_used;
};
