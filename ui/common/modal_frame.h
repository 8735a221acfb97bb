#pragma once

#include <QSize>
#include <QString>

class QDialog;

// How the program's modal windows present themselves: the caption, the client area, Tahoma of
// the given pixel height, centred on the screen, and only the system menu (the close button) in
// the title bar.
void FrameModalWindow(QDialog* window, const QString& caption, QSize client, int fontPixels);
