#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QString>

class QSplitter;
class QWidget;

// Keeps a top-level window where the person left it and always wholly on the screen. When the
// window is first shown, it takes the place kept under its name in the run's state file
// (state_file.h), if any, and is then moved, and shrunk where it must be, into the available
// area of the screen it stands on: a window kept from a larger screen, or one whose default
// size is larger than this screen, comes back fully visible. When it is hidden (closed), its
// place is kept under its name. Without a state file windows still fit the screen.
class WindowPlace final : public QObject {
    Q_OBJECT
public:
    // Watches `window` (owned by it) under `name`: one name per kind of window.
    static void Keep(QWidget* window, const QString& name);
    // Keeps the division of the splitter, restored now and kept when the splitter is hidden.
    static void KeepSplitter(QSplitter* splitter, const QString& name);

    // `geometry` (a client area) moved and shrunk so that, with `frame` around it, it lies
    // within `available`.
    static QRect FitOnScreen(const QRect& geometry, const QRect& available, const QMargins& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowPlace(QWidget* window, const QString& name);
    void restore();
    void store() const;

    QWidget* m_window;
    QString m_name;
    bool m_placed = false;
};
