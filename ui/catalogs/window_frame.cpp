#include "window_frame.h"

#include "controls.h"
#include "window_place.h"

#include <QDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

void FrameWindow(QDialog* window, const QString& caption, QSize client, int fontPixels) {
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(fontPixels);
    window->setFont(font);
    window->resize(client);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    WindowPlace::Keep(window, caption);
}

QVBoxLayout* StackLayout(QWidget* window) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    return layout;
}

QLabel* AddLabelledRow(QGridLayout* grid, const QString& label, QWidget* control) {
    const int row = grid->count() == 0 ? 0 : grid->rowCount();
    QLabel* l = MakeLabel(control->parentWidget(), label);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setBuddy(control);
    grid->addWidget(l, row, 0);
    grid->addWidget(control, row, 1, Qt::AlignLeft);
    return l;
}
