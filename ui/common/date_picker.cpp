#include "date_picker.h"

#include <QKeyEvent>

TDatePicker::TDatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setDate(QDate::currentDate());
}

TDateTime TDatePicker::Date() const {
    return kovrel::ToDateTime(date());
}

void TDatePicker::SetDate(TDateTime value) {
    setDate(kovrel::DateOf(value));
}

void TDatePicker::keyPressEvent(QKeyEvent* event) {
    QDateEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) Q_EMIT ReturnPressed();
}

void SetMonthPeriod(TDatePicker* begin, TDatePicker* end, TDateTime today) {
    const QDate d = kovrel::DateOf(today);
    const QDate first(d.year(), d.month(), 1);
    begin->setDate(first);
    end->setDate(first.addMonths(1));
}
