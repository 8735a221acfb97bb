#pragma once

#include <QComboBox>

// A drop-down list that asks for the width of its longest entry as the box draws it (the plain
// box rounds its texts down and cuts a few pixels off the longest), at least `minimumWidth`;
// a layout short of room may still narrow it down to that minimum.
class TFitComboBox : public QComboBox {
    Q_OBJECT
public:
    TFitComboBox(int minimumWidth, QWidget* parent = nullptr);

    QSize sizeHint() const override;
};
