#pragma once

#include <QSize>
#include <QString>

class QDialog;
class QGridLayout;
class QLabel;
class QWidget;

// How the catalog windows present themselves: the caption, the client area, Tahoma of the given
// pixel height, centred on the screen, and only the close button in the title bar.
void FrameWindow(QDialog* window, const QString& caption, QSize client, int fontPixels);

// Puts a right-aligned label and its control side by side in the next row of the grid.
QLabel* AddLabelledRow(QGridLayout* grid, const QString& label, QWidget* control);
