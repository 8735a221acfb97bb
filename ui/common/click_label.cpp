#include "click_label.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Q_EMIT Clicked();
    QLabel::mouseReleaseEvent(event);
}
