#include "report_controls.h"

#include "format_settings.h"

#include <QDate>

QString ReportControls::text(const QString& name) const {
    return m_values.value(name).toString();
}

bool ReportControls::checked(const QString& name) const {
    const QVariant v = m_values.value(name);
    if (v.typeId() == QMetaType::QString)
        return v.toString() == QLatin1String("true") || v.toString() == QLatin1String("1");
    return v.toBool();
}

int ReportControls::index(const QString& name, int def) const {
    bool ok = false;
    const int i = m_values.value(name).toInt(&ok);
    return ok ? i : def;
}

TDateTime ReportControls::date(const QString& name) const {
    const QVariant v = m_values.value(name);
    switch (v.typeId()) {
    case QMetaType::QDate:
        return kovrel::ToDateTime(v.toDate());
    case QMetaType::QDateTime:
        return kovrel::ToDateTime(v.toDateTime());
    case QMetaType::QString:
        return kovrel::ToDateTime(QDate::fromString(v.toString(), Qt::ISODate));
    default:
        return v.toDouble();
    }
}

QString ReportControls::shortDate(const QString& name) const {
    const TDateTime value = date(name);
    return value == 0 ? QString()
                      : kovrel::FormatDateTime(DisplayFormat.ShortDateFormat, value, DisplayFormat);
}
