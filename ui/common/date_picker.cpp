#include "date_picker.h"

TDatePicker::TDatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setDate(QDate::currentDate());
}

TDateTime TDatePicker::Date() const {
    return kovrel::ToDateTime(date());
}

void TDatePicker::SetDate(TDateTime value) {
    setDate(kovrel::DateOf(value));
}
