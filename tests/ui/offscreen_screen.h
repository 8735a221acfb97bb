#pragma once

#include <QSize>

class QTemporaryDir;

// Gives the offscreen platform one screen of `size` at 96 dpi, described in a file of `dir`
// (which must outlive the application); call before the application is made. False when the
// description cannot be written.
bool UseOffscreenScreen(const QTemporaryDir& dir, QSize size);
