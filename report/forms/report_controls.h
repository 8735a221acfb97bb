#pragma once

#include "date_time.h"

#include <QString>
#include <QVariantMap>

// The values of a report page's controls at the moment of printing, keyed by control name:
// combo and edit texts and the Sel…Name fields as text, check boxes as booleans, the combos
// whose choice matters by its position (ComBoxPrintOst, ComBoxGrRepDolg) and SelKlientGr as
// numbers, date pickers as TDateTime, QDate or "yyyy-MM-dd" text. The page fills them from its
// controls; kovrel-cli from the JSON object it was given.
class ReportControls {
public:
    ReportControls() = default;
    explicit ReportControls(QVariantMap values)
        : m_values(std::move(values)) {}

    void set(const QString& name, const QVariant& value) { m_values.insert(name, value); }
    bool contains(const QString& name) const { return m_values.contains(name); }

    QString text(const QString& name) const;
    bool checked(const QString& name) const;
    int index(const QString& name, int def) const;
    // 0 when the control is missing or holds no date.
    TDateTime date(const QString& name) const;
    // The date in the program's short date format; empty when there is none.
    QString shortDate(const QString& name) const;

private:
    QVariantMap m_values;
};
