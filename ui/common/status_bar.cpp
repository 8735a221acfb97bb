#include "status_bar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

void TStatusBar::AddPanel(int width) {
    auto* panel = new QLabel(this);
    panel->setObjectName(objectName() + QStringLiteral("Panel") + QString::number(m_panels.size()));
    panel->setFixedWidth(width);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    addWidget(panel);
    m_panels << panel;
}

void TStatusBar::StretchLastPanel() {
    QLabel* last = m_panels.last();
    last->setMaximumWidth(QWIDGETSIZE_MAX);
    removeWidget(last);
    addWidget(last, 1);
    last->show();
}

QString TStatusBar::PanelText(int index) const {
    return m_panels.at(index)->text();
}

void TStatusBar::SetPanelText(int index, const QString& text, bool repaintNow) {
    QLabel* panel = m_panels.at(index);
    panel->setText(text);
    panel->setToolTip(text); // the whole text, where the panel cuts it
    if (repaintNow) panel->repaint();
}
