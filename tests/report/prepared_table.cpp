#include "prepared_table.h"

#include "money.h"

#include <QMap>

#include <algorithm>

QString TextIn(const PreparedPage& page, const QRectF& rect) {
    for (const PreparedText& t : page.texts)
        if (rect.adjusted(-0.01, -0.01, 0.01, 0.01).contains(t.rect.center()))
            return t.lines.join(QLatin1Char('\n'));
    return {};
}

QList<QStringList> PreparedTable(const PreparedPage& page) {
    QMap<qint64, QMap<qint64, QString>> rows; // top, left in hundredths of a millimetre
    for (const PreparedFrame& f : page.frames)
        rows[qRound64(f.rect.top() * 100)][qRound64(f.rect.left() * 100)] = TextIn(page, f.rect);
    QList<QStringList> table;
    for (const auto& row : rows)
        table << QStringList(row.values());
    return table;
}

namespace {

// The frame around the top-most text that says `text`.
QRectF frameOf(const PreparedPage& page, const QString& text, double below = -1) {
    const PreparedText* found = nullptr;
    for (const PreparedText& t : page.texts)
        if (t.lines.join(QLatin1Char(' ')) == text && t.rect.top() > below &&
            (!found || t.rect.top() < found->rect.top()))
            found = &t;
    QRectF cell;
    if (found)
        for (const PreparedFrame& f : page.frames)
            if (f.rect.contains(found->rect.center())) cell = f.rect;
    return cell;
}

} // namespace

QStringList ColumnTexts(const PreparedPage& page, const QString& number, const QString& heading,
                        bool framed) {
    const QRectF head = frameOf(page, heading);
    const QRectF cell = number == heading ? head : frameOf(page, number, head.bottom() - 0.5);
    const auto inFrame = [&page](const PreparedText& t) {
        return std::any_of(page.frames.begin(), page.frames.end(),
                           [&t](const PreparedFrame& f) { return f.rect.contains(t.rect.center()); });
    };
    QList<const PreparedText*> below;
    for (const PreparedText& t : page.texts)
        if (t.rect.top() >= cell.bottom() - 0.01 && t.rect.center().x() > cell.left() &&
            t.rect.center().x() < cell.right() && (!framed || inFrame(t)))
            below << &t;
    std::stable_sort(below.begin(), below.end(), [](const PreparedText* a, const PreparedText* b) {
        return a->rect.top() < b->rect.top();
    });
    QStringList texts;
    for (const PreparedText* t : below)
        texts << t->lines.join(QLatin1Char(' '));
    return texts;
}

qint64 Kopecks(QString text) {
    text.remove(QChar(0x00A0));
    const auto m = kovrel::Money::Parse(text);
    return m ? m->Kopecks() : -1;
}

QList<qint64> Amounts(const QStringList& texts) {
    QList<qint64> out;
    for (const QString& t : texts)
        out << Kopecks(t);
    return out;
}
