#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class StringGrid;
class TDatePicker;

// Controls made the same way everywhere: named after their role (tests and tools find them by
// that name), sized as the windows' designs say, or wider where the font's texts need more.

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int width = 100,
                        int height = 25);
QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked);
// A drop-down list of fixed items; the first is selected.
QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items = {}, int width = 0);
QLineEdit* MakeEdit(QWidget* parent, const char* name, int width = 0);
TDatePicker* MakeDatePicker(QWidget* parent, const char* name);
// A label; with a name it is one the program writes into.
QLabel* MakeLabel(QWidget* parent, const QString& text, const char* name = nullptr);
StringGrid* MakeGrid(QWidget* parent, const char* name);
// A grid of `cols` columns, `fixedCols` of them fixed, with a fixed header row over one empty
// row; `widths` are the first columns' widths, column 0 first, `defaultWidth` the others'.
StringGrid* MakeGrid(QWidget* parent, const char* name, int cols, int fixedCols,
                     const std::vector<int>& widths, int defaultWidth = 64);
// Lays a page out as a panel across the top over a grid that takes the rest.
void StackOverGrid(QWidget* page, QWidget* panel, StringGrid* grid);

// The four counterparty kinds a kind filter offers; entry i stands for TypeKl i + 1.
const QStringList& KlientKindTexts();
