#pragma once

#include <QFrame>

#include <initializer_list>

class QVBoxLayout;
class QHBoxLayout;

// A tool panel of fixed height whose controls stand in columns of rows, left to right.
class TParamPanel : public QFrame {
    Q_OBJECT
public:
    TParamPanel(int height, QWidget* parent = nullptr);

    // Starts a new column to the right of the current one.
    void NextColumn();
    // Adds a row of widgets, side by side, to the current column; `filling`, one of them, takes
    // the width the row leaves over.
    void AddRow(std::initializer_list<QWidget*> widgets, QWidget* filling = nullptr);
    // The current column takes the width the columns leave over, instead of the panel's right end.
    void StretchColumn();

private:
    QHBoxLayout* m_columns;
    QVBoxLayout* m_column = nullptr;
};
