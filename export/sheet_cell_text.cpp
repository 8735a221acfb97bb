#include "sheet_cell_text.h"

#include <QDate>
#include <QTime>

namespace kovrel::sheet {

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr double kSecondsPerDay = 86400.0;

double serialOf(QDate date, QTime time) {
    return static_cast<double>(kDayZero.daysTo(date)) + time.msecsSinceStartOfDay() / 1000.0 / kSecondsPerDay;
}

} // namespace

QString NumberText(double value) {
    // 15 significant digits: what the spreadsheet shows, without the binary noise of the 17th.
    return QString::number(value, 'g', 15);
}

QString NumberText(const QString& stored) {
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    return ok ? NumberText(value) : stored;
}

QString DateText(const QString& stored) {
    const QString text = stored.trimmed();
    const QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    if (time.isValid()) return NumberText(serialOf(kDayZero, time));
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid()) return stored;
    if (text.size() == 10) return NumberText(serialOf(date, QTime(0, 0)));
    const QTime at = QTime::fromString(text.mid(11, 8), QStringLiteral("HH:mm:ss"));
    const QChar sep = text.size() > 10 ? text.at(10) : QChar();
    if (!at.isValid() || (sep != QLatin1Char(' ') && sep != QLatin1Char('T'))) return stored;
    return NumberText(serialOf(date, at));
}

} // namespace kovrel::sheet
