#include "layout_faults.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableView>

#include <cmath>

namespace {

QString nameOf(const QWidget* w) {
    const QString name =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return name + QStringLiteral(" \"") + label->text() + '"';
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return name + QStringLiteral(" \"") + button->text() + '"';
    return name;
}

// The text's width, fractions of a pixel rounded up: a text drawn in less is cut.
int advance(const QWidget* w, const QString& text) {
    return static_cast<int>(std::ceil(QFontMetricsF(w->font()).horizontalAdvance(text)));
}

// The least width that shows the control's text whole; 0 for controls without one.
int textWidth(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || label->wordWrap()) return 0;
        return label->sizeHint().width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty()) return 0;
        const QStyle* s = button->style();
        return advance(button, button->text()) + s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
               2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    }
    if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSpinBox*>(w))
        return w->sizeHint().width();
    return 0;
}

// The current entry of a combo box against the field the box draws it in: the box's size hint
// measures its entries with a rounded bounding box, which passes texts that the field then cuts.
QString comboTextCut(const QWidget* w) {
    const auto* combo = qobject_cast<const QComboBox*>(w);
    if (!combo || combo->currentText().isEmpty()) return {};
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = combo->isEditable();
    opt.currentText = combo->currentText();
    const int field = combo->style()
                          ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo)
                          .width();
    const int needed = advance(combo, combo->currentText());
    if (needed <= field) return {};
    return QStringLiteral("%1 shows \"%2\", %3 px wide, in a field of %4")
        .arg(nameOf(w), combo->currentText())
        .arg(needed)
        .arg(field);
}

// Lines of a word-wrapped label that its height cuts off.
bool wrappedTextCut(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    return label && label->wordWrap() && !label->text().isEmpty() &&
           label->height() < label->heightForWidth(label->width());
}

// The headings: in the header, or in the first row of cells when the grid has no header row.
void checkGrid(const QTableView* grid, QStringList& faults) {
    const QHeaderView* header = grid->horizontalHeader();
    const bool inHeader = header->isVisibleTo(grid->window());
    if (!inHeader && grid->model()->rowCount() == 0) return;
    for (int col = 0; col < header->count(); ++col) {
        const QModelIndex first = grid->model()->index(0, col);
        const QString text =
            inHeader ? grid->model()->headerData(col, Qt::Horizontal).toString() : first.data().toString();
        const int needed = inHeader ? header->sectionSizeHint(col) : grid->sizeHintForIndex(first).width();
        if (!text.isEmpty() && header->sectionSize(col) < needed)
            faults << QStringLiteral("%1: heading \"%2\" is %3 px wide in a column of %4")
                          .arg(nameOf(grid), text)
                          .arg(needed)
                          .arg(header->sectionSize(col));
    }
}

void checkList(const QListWidget* list, QStringList& faults) {
    const QStyle* s = list->style();
    const int margins = 2 * (s->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        int needed = advance(list, item->text()) + margins;
        if (item->data(Qt::CheckStateRole).isValid())
            needed += s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list) + margins;
        if (needed > list->viewport()->width())
            faults << QStringLiteral("%1: entry \"%2\" is %3 px wide in a list of %4")
                          .arg(nameOf(list), item->text())
                          .arg(needed)
                          .arg(list->viewport()->width());
    }
}

// The children that lay out side by side inside `w`: the pages of a tab or stacked widget are
// entered through their current page; scroll areas other than a plain one, combo boxes and date
// boxes are single controls.
QList<QWidget*> parts(QWidget* w) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) return {tabs->currentWidget()};
    if (auto* stack = qobject_cast<QStackedWidget*>(w)) return {stack->currentWidget()};
    if (auto* scroll = qobject_cast<QScrollArea*>(w)) return {scroll->widget()};
    if (qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QComboBox*>(w) ||
        qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractButton*>(w))
        return {};
    QList<QWidget*> children;
    for (QObject* o : w->children())
        if (auto* child = qobject_cast<QWidget*>(o); child && !child->isWindow()) children << child;
    return children;
}

void walk(QWidget* window, QWidget* parent, QStringList& faults) {
    QList<QWidget*> shown;
    for (QWidget* w : parts(parent))
        if (w && w->isVisibleTo(window)) shown << w;
    // A scroll area's content may be larger than what shows: it scrolls.
    const bool scrolled = qobject_cast<QScrollArea*>(parent) != nullptr;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QWidget* w = shown[i];
        if (!scrolled && !QRect(QPoint(), w->parentWidget()->size()).contains(w->geometry()))
            faults << QStringLiteral("%1 sticks out of %2").arg(nameOf(w), nameOf(w->parentWidget()));
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            if (w->geometry().intersects(shown[j]->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(nameOf(w), nameOf(shown[j]));
        if (const int needed = textWidth(w); w->width() < needed)
            faults << QStringLiteral("%1 is %2 px wide, its text needs %3")
                          .arg(nameOf(w))
                          .arg(w->width())
                          .arg(needed);
        if (const QString cut = comboTextCut(w); !cut.isEmpty()) faults << cut;
        if (wrappedTextCut(w)) faults << QStringLiteral("%1 is cut at the bottom").arg(nameOf(w));
        if (const auto* grid = qobject_cast<QTableView*>(w)) checkGrid(grid, faults);
        if (const auto* list = qobject_cast<QListWidget*>(w)) checkList(list, faults);
        walk(window, w, faults);
    }
}

} // namespace

QStringList LayoutFaults(QWidget* window) {
    QStringList faults;
    walk(window, window, faults);
    return faults;
}
