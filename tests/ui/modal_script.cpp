#include "modal_script.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {
constexpr int kPollMs = 10;
constexpr int kMaxPolls = 1000;
} // namespace

ModalAction::ModalAction(std::function<void(QDialog*)> act)
    : m_act(std::move(act))
    , m_before(QApplication::activeModalWidget())
    , m_timer(new QTimer) {
    QObject::connect(m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer->start(kPollMs);
}

ModalAction::~ModalAction() {
    delete m_timer;
}

void ModalAction::poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    const bool shown = dialog && dialog != m_before && dialog->isVisible();
    if (!shown && ++m_polls < kMaxPolls) return;
    m_timer->stop();
    if (!shown) {
        qWarning("no modal window came");
        return;
    }
    m_ran = true;
    m_act(dialog);
    if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();
}
