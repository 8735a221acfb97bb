#pragma once

#include <QSize>
#include <QString>

class QDialog;
class QGridLayout;
class QLabel;
class QVBoxLayout;
class QWidget;

// How the catalog windows present themselves: the caption, the client area, Tahoma of the given
// pixel height, centred on the screen, and only the close button in the title bar. Each caption
// keeps its window's place between runs and fits the screen (WindowPlace).
void FrameWindow(QDialog* window, const QString& caption, QSize client, int fontPixels);

// The window's own layout: areas stacked top to bottom without margins. The window keeps the
// client size it was given even where a font's metrics would ask for more.
QVBoxLayout* StackLayout(QWidget* window);

// Puts a right-aligned label and its control side by side in the next row of the grid.
QLabel* AddLabelledRow(QGridLayout* grid, const QString& label, QWidget* control);
