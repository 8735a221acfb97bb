#include "date_time.h"

#include "format_settings.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>

namespace kovrel {

namespace {

// Constant-initialised, so that other files may compute dates while their statics are set up.
constexpr QDate kEpoch = QDate::fromJulianDay(2415019); // 1899-12-30
constexpr double kMsPerDay = 86400000.0;

QString pad(int value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// Length of the run of `ch` (case-insensitive) starting at `pos`.
int runLength(const QString& s, qsizetype pos, QChar ch) {
    int n = 0;
    while (pos + n < s.size() && s.at(pos + n).toLower() == ch)
        ++n;
    return n;
}

} // namespace

TDateTime ToDateTime(QDate date) {
    if (!date.isValid()) return 0;
    return static_cast<double>(kEpoch.daysTo(date));
}

TDateTime ToDateTime(const QDateTime& dt) {
    if (!dt.isValid()) return 0;
    const double days = ToDateTime(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction counts away from zero, as in the classic representation.
    return days >= 0 ? days + frac : days - frac;
}

QDateTime FromDateTime(TDateTime value) {
    const double whole = std::trunc(value);
    const double frac = std::fabs(value - whole);
    qint64 ms = std::llround(frac * kMsPerDay);
    qint64 days = static_cast<qint64>(whole);
    if (ms >= static_cast<qint64>(kMsPerDay)) {
        ms -= static_cast<qint64>(kMsPerDay);
        days += 1;
    }
    return QDateTime(kEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QDate DateOf(TDateTime value) {
    return kEpoch.addDays(static_cast<qint64>(std::trunc(value)));
}

TDateTime Now() {
    return ToDateTime(QDateTime::currentDateTime());
}

TDateTime Today() {
    return ToDateTime(QDate::currentDate());
}

TDateTime DateOnly(TDateTime value) {
    return std::trunc(value);
}

TDateTime EncodeDate(int year, int month, int day) {
    return ToDateTime(QDate(year, month, day));
}

int WholeDaysBetween(TDateTime a, TDateTime b) {
    // A tiny epsilon keeps "exactly N days" from becoming N-1 through binary fractions.
    return static_cast<int>(std::trunc(std::fabs(a - b) + 1e-9));
}

QString FormatDateTime(const QString& picture, TDateTime value, const TFormatSettings& fs) {
    const QDateTime dt = FromDateTime(value);
    const QDate d = dt.date();
    const QTime t = dt.time();
    QString out;
    QChar lastToken;
    qsizetype i = 0;
    while (i < picture.size()) {
        QChar c = picture.at(i).toLower();
        int n = 1;
        // As in the classic pictures, "mm" right after an hour means minutes ("hh:mm").
        const bool minutes = c == QLatin1Char('m') && lastToken == QLatin1Char('h');
        if (QStringLiteral("ymdhnsz").contains(c)) lastToken = c;
        if (minutes) c = QLatin1Char('n');
        if (c == QLatin1Char('y')) {
            n = runLength(picture, i, c);
            out += n <= 2 ? pad(d.year() % 100, 2) : pad(d.year(), 4);
        } else if (c == QLatin1Char('m')) {
            n = std::min(runLength(picture, i, c), 4);
            if (n == 4)
                out += fs.LongMonthNames.value(d.month() - 1);
            else if (n == 3)
                out += fs.ShortMonthNames.value(d.month() - 1);
            else
                out += n == 2 ? pad(d.month(), 2) : QString::number(d.month());
        } else if (c == QLatin1Char('d')) {
            n = std::min(runLength(picture, i, c), 2);
            out += n == 2 ? pad(d.day(), 2) : QString::number(d.day());
        } else if (c == QLatin1Char('h')) {
            n = std::min(runLength(picture, i, c), 2);
            out += n == 2 ? pad(t.hour(), 2) : QString::number(t.hour());
        } else if (c == QLatin1Char('n')) {
            n = std::min(runLength(picture, i, picture.at(i).toLower()), 2);
            out += n == 2 ? pad(t.minute(), 2) : QString::number(t.minute());
        } else if (c == QLatin1Char('s')) {
            n = std::min(runLength(picture, i, c), 2);
            out += n == 2 ? pad(t.second(), 2) : QString::number(t.second());
        } else if (c == QLatin1Char('z')) {
            n = runLength(picture, i, c);
            out += n >= 3 ? pad(t.msec(), 3) : QString::number(t.msec());
        } else if (c == QLatin1Char('/')) {
            out += fs.DateSeparator;
        } else if (c == QLatin1Char(':')) {
            out += fs.TimeSeparator;
        } else {
            out += picture.at(i);
        }
        i += n;
    }
    return out;
}

bool TryParseWireDate(const QString& text, TDateTime& value) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?: (\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) return false;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid()) return false;
    QTime time(0, 0);
    if (m.lastCapturedIndex() >= 4 && !m.captured(4).isEmpty()) {
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                     m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
        if (!time.isValid()) return false;
    }
    value = ToDateTime(QDateTime(date, time));
    return true;
}

} // namespace kovrel
