#pragma once

#include <QStatusBar>

class QLabel;

// A status bar of panels, addressed by number from the left. The bar's own text
// (SimpleText) is kept apart and is not shown while the panels are.
class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Adds a panel at least that wide, wider where its text needs it and the bar has room; the
    // last one may be stretched to the rest of the bar.
    void AddPanel(int width);
    // The last panel reaches to the bar's right edge, as the last panel of a classic status bar
    // does, so its text is not cut short; its width stays the least it takes.
    void StretchLastPanel();
    int PanelCount() const { return static_cast<int>(m_panels.size()); }
    QLabel* Panel(int index) const { return m_panels.at(index); }
    QString PanelText(int index) const;
    // Sets the text; with `repaintNow` the panel is drawn before this returns.
    void SetPanelText(int index, const QString& text, bool repaintNow = false);

    QString SimpleText;

private:
    QList<QLabel*> m_panels;
};
