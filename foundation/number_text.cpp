#include "number_text.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Adds one unit at the last position of a digit string; returns true when it overflows
// ("999" -> "000" and a carry).
bool incrementDigits(QByteArray& digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] < '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

bool isTrimmable(QChar c) {
    return c.unicode() <= 32;
}

} // namespace

QString FormatFixed(int decimals, double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    decimals = std::max(decimals, 0);

    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(value));
    // buf: d.ddddddddddddddddde[+-]XX  — 18 significant digits.
    QByteArray mantissa;
    mantissa.append(buf[0]);
    mantissa.append(buf + 2, 17);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);

    // Digits before the decimal point are exponent + 1; keep those plus `decimals` more.
    const int keep = exponent + 1 + decimals;
    QByteArray digits; // the kept digits, padded with zeros
    int intDigits = exponent + 1;
    if (keep < 0) {
        digits = QByteArray(decimals, '0');
        intDigits = 0;
    } else {
        digits = mantissa.left(keep);
        const bool roundUp = keep < mantissa.size() && mantissa[keep] >= '5';
        if (digits.size() < keep) digits.append(QByteArray(keep - digits.size(), '0'));
        if (roundUp) {
            if (digits.isEmpty() || incrementDigits(digits)) {
                digits.prepend('1');
                ++intDigits;
            }
        }
        if (intDigits < 0) {
            // 0.000ddd: the kept digits all lie after leading zero decimals.
            digits.prepend(QByteArray(-intDigits, '0'));
            intDigits = 0;
        }
    }

    QByteArray intPart = intDigits > 0 ? digits.left(intDigits) : QByteArray("0");
    QByteArray fracPart = digits.mid(intDigits);
    fracPart = fracPart.leftJustified(decimals, '0', true);
    while (intPart.size() > 1 && intPart[0] == '0')
        intPart.remove(0, 1);

    const bool allZero = (intPart + fracPart).count('0') == intPart.size() + fracPart.size();
    QByteArray out;
    if (value < 0 && !allZero) out.append('-');
    out.append(intPart);
    if (decimals > 0) {
        out.append('.');
        out.append(fracPart);
    }
    return QString::fromLatin1(out);
}

QString FormatQty(int width, int decimals, double value) {
    const double frac = value - std::trunc(value);
    const bool whole = std::fabs(frac) <= 1e-16;
    return FormatFixed(whole ? 0 : decimals, value).rightJustified(width, QLatin1Char(' '));
}

QString NormalizeNumberText(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmable(text.at(begin)))
        ++begin;
    while (end > begin && isTrimmable(text.at(end - 1)))
        --end;
    QString s = text.mid(begin, end - begin);
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    s.remove(QChar(0x00A0));
    return s;
}

namespace {

bool readFloat(const QString& text, double& value) {
    static const QRegularExpression re(QStringLiteral("^[+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?$"));
    const QString s = NormalizeNumberText(text);
    if (!re.match(s).hasMatch()) return false;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

} // namespace

double ParseFloatDef(const QString& text, double def) {
    double v = def;
    return readFloat(text, v) ? v : def;
}

bool IsFloatText(const QString& text) {
    double v = 0;
    return readFloat(text, v);
}

namespace kovrel {

QString FormatFixedWidth(int width, int decimals, double value, QChar decimalSeparator) {
    QString s = FormatFixed(decimals, value);
    if (decimalSeparator != QLatin1Char('.')) s.replace(QLatin1Char('.'), decimalSeparator);
    return s.rightJustified(width, QLatin1Char(' '));
}

} // namespace kovrel
