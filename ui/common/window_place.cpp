#include "window_place.h"

#include "state_file.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QSplitter>
#include <QWidget>

#include <algorithm>

namespace {

// What the window manager's frame adds around a window's client area: the window's own once it
// has been shown, otherwise that of the window it belongs to or of any shown window.
QMargins frameOf(const QWidget* window) {
    const auto margins = [](const QWidget* w) {
        const QRect f = w->frameGeometry();
        const QRect g = w->geometry();
        return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                        f.bottom() - g.bottom());
    };
    if (window->testAttribute(Qt::WA_WState_Created) && window->frameGeometry() != window->geometry())
        return margins(window);
    if (const QWidget* parent = window->parentWidget(); parent && parent->window()->isVisible())
        return margins(parent->window());
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != window && w->isVisible() && w->isWindow()) return margins(w);
    return {};
}

QScreen* screenFor(const QRect& geometry, const QWidget* window) {
    if (QScreen* s = QGuiApplication::screenAt(geometry.center())) return s;
    if (const QWidget* parent = window->parentWidget()) return parent->window()->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

WindowPlace::WindowPlace(QWidget* window, const QString& name)
    : QObject(window)
    , m_window(window)
    , m_name(name) {
    window->installEventFilter(this);
}

void WindowPlace::Keep(QWidget* window, const QString& name) {
    new WindowPlace(window, name);
}

QRect WindowPlace::FitOnScreen(const QRect& geometry, const QRect& available, const QMargins& frame) {
    const QRect room = available.marginsRemoved(frame);
    if (room.isEmpty()) return geometry;
    QRect fitted(geometry.topLeft(),
                 QSize(std::min(geometry.width(), room.width()), std::min(geometry.height(), room.height())));
    fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()));
    return fitted;
}

bool WindowPlace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        if (event->type() == QEvent::Show && !m_placed) {
            m_placed = true;
            restore();
        } else if (event->type() == QEvent::Hide && m_placed && !event->spontaneous()) {
            store();
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowPlace::restore() {
    QRect geometry = m_window->geometry();
    bool maximized = false;
    if (const TStateFile* state = CurrentStateFile()) {
        if (const auto kept = state->WindowPlace(m_name)) {
            geometry = kept->geometry;
            maximized = kept->maximized;
        }
    }
    // A window is never smaller than its layout allows; it is placed at the size it will have.
    geometry.setSize(geometry.size().expandedTo(m_window->minimumSize()));
    const QScreen* screen = screenFor(geometry, m_window);
    if (!screen) return;
    m_window->setGeometry(FitOnScreen(geometry, screen->availableGeometry(), frameOf(m_window)));
    if (maximized) m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void WindowPlace::store() const {
    TStateFile* state = CurrentStateFile();
    if (!state) return;
    const bool maximized = m_window->isMaximized();
    const QRect geometry = maximized ? m_window->normalGeometry() : m_window->geometry();
    if (geometry.isValid()) state->SetWindowPlace(m_name, {geometry, maximized});
}

void WindowPlace::KeepSplitter(QSplitter* splitter, const QString& name) {
    if (const TStateFile* state = CurrentStateFile()) {
        const QList<int> sizes = state->SplitterSizes(name);
        if (sizes.size() == splitter->count()) splitter->setSizes(sizes);
    }
    // The division is kept when the window closes, not at every step of a drag.
    struct Keeper final : QObject {
        Keeper(QSplitter* s, QString n)
            : QObject(s)
            , splitter(s)
            , name(std::move(n)) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (watched == splitter && event->type() == QEvent::Hide && !event->spontaneous())
                if (TStateFile* state = CurrentStateFile()) state->SetSplitterSizes(name, splitter->sizes());
            return false;
        }
        QSplitter* splitter;
        QString name;
    };
    splitter->installEventFilter(new Keeper(splitter, name));
}
