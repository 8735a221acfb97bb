#include "controls.h"

#include "date_picker.h"
#include "string_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <class W>
W* named(W* widget, const char* name) {
    if (name) widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int width, int height) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    // The design's width, or more where the font's caption needs it.
    b->setFixedSize(std::max(width, b->sizeHint().width()), height);
    return b;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* c = named(new QCheckBox(caption, parent), name);
    c->setChecked(checked);
    return c;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items, int width) {
    auto* c = named(new QComboBox(parent), name);
    c->setEditable(false);
    c->addItems(items);
    if (!items.isEmpty()) c->setCurrentIndex(0);
    // Fixed items are shown whole: the design's width, or more where the font needs it.
    if (width > 0) c->setFixedWidth(items.isEmpty() ? width : std::max(width, c->sizeHint().width()));
    return c;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int width) {
    auto* e = named(new QLineEdit(parent), name);
    if (width > 0) e->setFixedWidth(width);
    return e;
}

TDatePicker* MakeDatePicker(QWidget* parent, const char* name) {
    return named(new TDatePicker(parent), name);
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const char* name) {
    auto* l = named(new QLabel(text, parent), name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

StringGrid* MakeGrid(QWidget* parent, const char* name) {
    return named(new StringGrid(parent), name);
}

StringGrid* MakeGrid(QWidget* parent, const char* name, int cols, int fixedCols,
                     const std::vector<int>& widths, int defaultWidth) {
    StringGrid* g = MakeGrid(parent, name);
    g->SetDefaultColWidth(defaultWidth);
    g->SetColCount(cols);
    g->SetRowCount(2);
    g->SetFixedRows(1);
    g->SetFixedCols(fixedCols);
    for (size_t c = 0; c < widths.size(); ++c)
        g->SetColWidths(static_cast<int>(c), widths[c]);
    return g;
}

void StackOverGrid(QWidget* page, QWidget* panel, StringGrid* grid) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(grid, 1);
}

const QStringList& KlientKindTexts() {
    static const QStringList texts = {
        QStringLiteral("Покупатели и поставщики"), QStringLiteral("Расчетные счета и кассы"),
        QStringLiteral("Накладные расходы"), QStringLiteral("Вложения и изъятия")};
    return texts;
}
