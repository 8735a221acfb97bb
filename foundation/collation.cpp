#include "collation.h"

#include <QCollator>
#include <QLocale>

namespace kovrel {

namespace {

const QCollator& collator() {
    thread_local const QCollator instance = [] {
        QCollator c(QLocale(QLocale::Russian, QLocale::Russia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return instance;
}

} // namespace

int CollateCompare(const QString& a, const QString& b) {
    return collator().compare(a, b);
}

QCollatorSortKey CollationSortKey(const QString& text) {
    return collator().sortKey(text);
}

} // namespace kovrel
