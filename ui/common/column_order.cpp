#include "column_order.h"

#include "collation.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

enum class ColumnKind { Date, Number, Text };

// A display date as yyyymmdd; a two-digit year is of this century. 0 when it is no date.
int dateValue(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{2})\\.(\\d{2})\\.(\\d{2}|\\d{4})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return 0;
    int year = m.capturedView(3).toInt();
    if (m.capturedLength(3) == 2) year += 2000;
    return year * 10000 + m.capturedView(2).toInt() * 100 + m.capturedView(1).toInt();
}

// Numbers on screen are written with "." and no grouping, whatever the process locale.
bool numberValue(const QString& text, double& value) {
    bool ok = false;
    value = text.toDouble(&ok);
    return ok;
}

ColumnKind kindOf(const std::vector<QString>& texts) {
    bool dates = true;
    bool numbers = true;
    double unused = 0;
    for (const QString& t : texts) {
        if (t.isEmpty()) continue;
        dates = dates && dateValue(t) != 0;
        numbers = numbers && numberValue(t, unused);
        if (!dates && !numbers) return ColumnKind::Text;
    }
    return dates ? ColumnKind::Date : ColumnKind::Number;
}

// Sorts positions by keys computed once per row; `less` compares two rows' keys.
template <class Less>
std::vector<int> stableOrder(size_t count, bool descending, Less less) {
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    if (descending)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(b, a); });
    else
        std::stable_sort(order.begin(), order.end(), less);
    return order;
}

} // namespace

std::vector<int> ColumnOrder(const std::vector<QString>& texts, bool descending) {
    const ColumnKind kind = kindOf(texts);
    if (kind == ColumnKind::Text) {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(texts.size());
        for (const QString& t : texts)
            keys.push_back(kovrel::CollationSortKey(t));
        return stableOrder(texts.size(), descending, [&](int a, int b) {
            if (texts[a].isEmpty() || texts[b].isEmpty()) return texts[a].isEmpty() && !texts[b].isEmpty();
            return keys[a].compare(keys[b]) < 0;
        });
    }
    // Empty cells get the lowest key.
    std::vector<double> keys(texts.size(), -std::numeric_limits<double>::infinity());
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].isEmpty()) continue;
        if (kind == ColumnKind::Date)
            keys[i] = dateValue(texts[i]);
        else
            numberValue(texts[i], keys[i]);
    }
    return stableOrder(texts.size(), descending, [&](int a, int b) { return keys[a] < keys[b]; });
}
