#include "param_panel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TParamPanel::TParamPanel(int height, QWidget* parent)
    : QFrame(parent)
    , m_columns(new QHBoxLayout(this)) {
    setFixedHeight(height);
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    // A narrow window clips the panel rather than pushing the navigation column aside.
    m_columns->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumWidth(100);
    m_columns->setContentsMargins(6, 4, 6, 4);
    m_columns->setSpacing(6);
    m_columns->addStretch(1);
    NextColumn();
}

void TParamPanel::NextColumn() {
    m_column = new QVBoxLayout;
    m_column->setSpacing(4);
    m_column->addStretch(1); // rows go above it
    m_columns->insertLayout(m_columns->count() - 1, m_column);
}

void TParamPanel::AddRow(std::initializer_list<QWidget*> widgets, QWidget* filling) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (QWidget* w : widgets)
        row->addWidget(w, w == filling ? 1 : 0);
    if (!filling) row->addStretch(1);
    m_column->insertLayout(m_column->count() - 1, row);
}

void TParamPanel::StretchColumn() {
    m_columns->setStretch(m_columns->indexOf(m_column), 1);
    m_columns->setStretch(m_columns->count() - 1, 0);
}
