#pragma once

#include "date_time.h"

#include <QDateEdit>

// A date picker with a drop-down calendar, read and set as the program's date values.
class TDatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit TDatePicker(QWidget* parent = nullptr);

    // The chosen day at midnight.
    TDateTime Date() const;
    // The day of the value; its time of day is dropped.
    void SetDate(TDateTime value);

Q_SIGNALS:
    // Enter was pressed in the box.
    void ReturnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A period from the first day of the month of `today` to the first day of the next month.
void SetMonthPeriod(TDatePicker* begin, TDatePicker* end, TDateTime today);
