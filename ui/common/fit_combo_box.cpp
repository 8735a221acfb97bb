#include "fit_combo_box.h"

#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <cmath>

TFitComboBox::TFitComboBox(int minimumWidth, QWidget* parent)
    : QComboBox(parent) {
    setMinimumWidth(minimumWidth);
    setSizeAdjustPolicy(QComboBox::AdjustToContents); // the hint follows the entries
}

QSize TFitComboBox::sizeHint() const {
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    QStyleOptionComboBox opt;
    opt.initFrom(this);
    const QSize text(static_cast<int>(std::ceil(widest)), fontMetrics().height());
    const int needed = style()->sizeFromContents(QStyle::CT_ComboBox, &opt, text, this).width();
    const QSize hint = QComboBox::sizeHint();
    return {std::max({hint.width(), needed, minimumWidth()}), hint.height()};
}
