#include "modal_frame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

void FrameModalWindow(QDialog* window, const QString& caption, QSize client, int fontPixels) {
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(fontPixels);
    window->setFont(font);
    window->resize(client);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), client);
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}
