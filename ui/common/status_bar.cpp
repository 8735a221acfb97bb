#include "status_bar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

void TStatusBar::AddPanel(int width) {
    auto* panel = new QLabel(this);
    panel->setObjectName(objectName() + QStringLiteral("Panel") + QString::number(m_panels.size()));
    // The design's width, or as much more as the text needs while the bar has room: a text
    // cut in the middle of a word ("… пароль админис") cannot be read.
    panel->setMinimumWidth(width);
    panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    addWidget(panel);
    m_panels << panel;
}

void TStatusBar::StretchLastPanel() {
    QLabel* last = m_panels.last();
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
