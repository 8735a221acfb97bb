#include "server_wait_window.h"

#include "controls.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kFontPixels = 13;
constexpr int kButtonWidth = 120;

bool isInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
        return true;
    case QEvent::Close: // the close box of a window
        return event->spontaneous();
    default:
        return false;
    }
}

} // namespace

const QString TFormServerWait::kText = QStringLiteral("Ожидание ответа сервера…");

TFormServerWait::TFormServerWait(QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("FormServerWait"));
    setWindowTitle(QStringLiteral("Kovrel"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(kFontPixels);
    setFont(f);
    LabWait = MakeLabel(this, kText, "LabWait");
    LabWait->setAlignment(Qt::AlignCenter);
    ButCancel = MakeButton(this, "ButCancel", QStringLiteral("Отменить"), kButtonWidth);
    ButCancel->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButCancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(14);
    layout->addWidget(LabWait);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
    connect(ButCancel, &QPushButton::clicked, this, &TFormServerWait::reject);
}

void TFormServerWait::reject() {
    if (!m_cancelled) Q_EMIT CancelAsked();
    m_cancelled = true;
    QDialog::reject();
}

void TWindowRequestWaiter::Begin() {
    if (++m_depth > 1) return;
    m_cancelled = false;
    qApp->installEventFilter(this);
}

bool TWindowRequestWaiter::Continue(std::chrono::milliseconds elapsed) {
    if (m_depth > 1) return !m_cancelled;
    if (!m_window && elapsed >= kShowAfter) {
        QWidget* owner = QApplication::activeModalWidget();
        if (!owner) owner = QApplication::activeWindow();
        auto* window = new TFormServerWait(owner);
        m_window = window;
        connect(window, &TFormServerWait::CancelAsked, this, [this] { m_cancelled = true; });
        window->show();
        window->raise();
        window->activateWindow();
        window->ButCancel->setFocus();
    }
    // Timers wait for the request's end, as everything started by the program does: a timer
    // would run code in the middle of the code waiting for this answer.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    return !m_cancelled;
}

void TWindowRequestWaiter::End() {
    if (--m_depth > 0) return;
    delete m_window;
    // What arrived in the last moments is dropped too, before input goes to the windows again.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    qApp->removeEventFilter(this);
}

bool TWindowRequestWaiter::ofWaitWindow(QObject* object) const {
    if (!m_window || !object) return false;
    if (auto* w = qobject_cast<QWidget*>(object)) return w->window() == m_window;
    if (auto* window = qobject_cast<QWindow*>(object)) return window == m_window->windowHandle();
    return false;
}

bool TWindowRequestWaiter::eventFilter(QObject* watched, QEvent* event) {
    if (isInput(event) && !ofWaitWindow(watched)) {
        event->ignore(); // a close box refused keeps its window
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void InstallWindowWaiter() {
    kovrel::SetRequestWaiter(std::make_unique<TWindowRequestWaiter>());
}
