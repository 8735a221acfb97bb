#include "category_panel.h"

#include <QToolButton>
#include <QVBoxLayout>

CategoryPanel::CategoryPanel(const QString& caption, int height, QWidget* parent)
    : QWidget(parent)
    , m_caption(new QToolButton(this))
    , m_height(height) {
    m_caption->setText(caption);
    m_caption->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_caption->setArrowType(Qt::DownArrow);
    m_caption->setAutoRaise(true);
    m_caption->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    connect(m_caption, &QToolButton::clicked, this, [this] { SetCollapsed(!m_collapsed); });
    setFixedHeight(m_height);
}

void CategoryPanel::SetContent(QWidget* content) {
    m_content = content;
    layout()->addWidget(content);
}

void CategoryPanel::SetCollapsed(bool collapsed) {
    m_collapsed = collapsed;
    m_caption->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
    if (m_content) m_content->setVisible(!collapsed);
    setFixedHeight(collapsed ? m_caption->sizeHint().height() : m_height);
}
