#include "search_text.h"

namespace kovrel::server {

QString SearchKey(const QString& text) {
    return text.toUpper();
}

QString ContainsPattern(const QString& filter) {
    QString out = QStringLiteral("%");
    for (QChar c : SearchKey(filter.trimmed())) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('!'))
            out.append(QLatin1Char('!'));
        out.append(c);
    }
    if (out.size() > 1) out.append(QLatin1Char('%'));
    return out;
}

} // namespace kovrel::server
