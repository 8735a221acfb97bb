#pragma once

#include <QWidget>

class QToolButton;

// A collapsible panel with a caption bar: a click on the caption folds the content away or
// brings it back. Its height is fixed while it is open.
class CategoryPanel : public QWidget {
    Q_OBJECT
public:
    CategoryPanel(const QString& caption, int height, QWidget* parent = nullptr);

    void SetContent(QWidget* content);
    bool IsCollapsed() const { return m_collapsed; }
    void SetCollapsed(bool collapsed);

private:
    QToolButton* m_caption;
    QWidget* m_content = nullptr;
    int m_height;
    bool m_collapsed = false;
};
