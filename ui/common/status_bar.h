#pragma once

#include <QStatusBar>

class QLabel;

// A status bar of fixed-width panels, addressed by number from the left. The bar's own text
// (SimpleText) is kept apart and is not shown while the panels are.
class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Adds a panel of that width; the last one may be stretched to the rest of the bar.
    void AddPanel(int width);
    int PanelCount() const { return static_cast<int>(m_panels.size()); }
    QLabel* Panel(int index) const { return m_panels.at(index); }
    QString PanelText(int index) const;
    // Sets the text; with `repaintNow` the panel is drawn before this returns.
    void SetPanelText(int index, const QString& text, bool repaintNow = false);

    QString SimpleText;

private:
    QList<QLabel*> m_panels;
};
