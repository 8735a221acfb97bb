#include "grid_cell_value.h"

#include <QRegularExpression>

namespace {

constexpr int kMaxSignificantDigits = 15;

} // namespace

std::optional<GridNumber> ProgramNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]*)(?:\\.([0-9]+))?$"));
    const QString trimmed = TrimCellText(text);
    const QRegularExpressionMatch match = number.match(trimmed);
    if (!match.hasMatch()) return std::nullopt;
    const QString digits = match.captured(1) + match.captured(2);
    qsizetype first = 0;
    while (first + 1 < digits.size() && digits[first] == QLatin1Char('0'))
        ++first;
    if (digits.size() - first > kMaxSignificantDigits) return std::nullopt;
    // "-0.00" is zero, not minus zero.
    return GridNumber{trimmed.toDouble() + 0.0, static_cast<int>(match.capturedLength(2))};
}

QString TrimCellText(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}
