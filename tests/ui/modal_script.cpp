#include "modal_script.h"

#include "request_waiter.h"
#include "server_wait_window.h"
#include "string_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kTickMs = 10;
constexpr int kIdleTicksBeforeClose = 1000; // ten seconds

} // namespace

ModalScript::ModalScript()
    : m_context(std::make_unique<QObject>()) {
    QTimer::singleShot(kTickMs, m_context.get(), [this] { tick(); });
}

ModalScript::~ModalScript() = default;

ModalScript& ModalScript::Then(Step step) {
    m_steps.enqueue(std::move(step));
    return *this;
}

bool ModalScript::seen(const QWidget* window) const {
    for (const QPointer<QWidget>& w : m_seen)
        if (w == window) return true;
    return false;
}

// Each tick is a timer of its own: a step that opens a modal window blocks inside this call,
// and the next tick must still come from the nested event loop.
void ModalScript::tick() {
    QTimer::singleShot(kTickMs, m_context.get(), [this] { tick(); });
    QWidget* window = QApplication::activeModalWidget();
    if (!window || !window->isVisible()) return;
    // A slow answer's waiting window is no step of the script; a test that acts on it does so
    // on its own (WhenWaiting).
    if (window->objectName() == QLatin1String("FormServerWait")) return;
    if (seen(window) || m_steps.isEmpty()) {
        // Nothing left to do in it (a step waiting on a window of its own is not the active one).
        if (window != m_idle) m_idleTicks = 0;
        m_idle = window;
        if (++m_idleTicks > kIdleTicksBeforeClose) {
            QTest::qFail("a modal window stayed open with nothing left to do in it", __FILE__, __LINE__);
            if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->done(QDialog::Rejected);
        }
        return;
    }
    m_seen << window;
    m_idleTicks = 0;
    const Step step = m_steps.dequeue();
    step(window);
}

QWidget* WaitWindow() {
    QWidget* window = QApplication::activeModalWidget();
    return window && window->isVisible() && window->objectName() == QLatin1String("FormServerWait") ? window
                                                                                                    : nullptr;
}

namespace {

// The windows' waiter with a script's steps taken from within its wait.
class ScriptedWaiter final : public kovrel::RequestWaiter {
public:
    explicit ScriptedWaiter(std::shared_ptr<std::vector<WaitScript::Step>> steps)
        : m_steps(std::move(steps)) {}
    void Begin() override { m_real.Begin(); }
    // A step's doing (a cancel, say) counts at once, as the person's would by the next look.
    bool Continue(std::chrono::milliseconds elapsed) override {
        bool going = m_real.Continue(elapsed);
        for (WaitScript::Step& step : *m_steps) {
            if (step.done || !step.due(elapsed.count())) continue;
            step.done = true;
            step.act();
            going = m_real.Continue(elapsed) && going;
        }
        return going;
    }
    void End() override { m_real.End(); }

private:
    TWindowRequestWaiter m_real;
    std::shared_ptr<std::vector<WaitScript::Step>> m_steps;
};

} // namespace

WaitScript::WaitScript()
    : m_steps(std::make_shared<std::vector<Step>>()) {
    kovrel::SetRequestWaiter(std::make_unique<ScriptedWaiter>(m_steps));
}

WaitScript::~WaitScript() {
    InstallWindowWaiter();
    for (const Step& step : *m_steps)
        if (!step.done) qWarning("a step of the wait script was never taken");
}

WaitScript& WaitScript::At(int ms, std::function<void()> step) {
    m_steps->push_back({[ms](qint64 elapsed) { return elapsed >= ms; }, std::move(step)});
    return *this;
}

WaitScript& WaitScript::WhenShown(std::function<void(QWidget* waitWindow)> step) {
    m_steps->push_back({[](qint64) { return WaitWindow() != nullptr; }, [step] { step(WaitWindow()); }});
    return *this;
}

void ChooseKlient(QWidget* picker, int kindEntry, const QString& name) {
    QCOMPARE(picker->windowTitle(), QStringLiteral("Выбор счета"));
    auto* kind = Control<QComboBox>(picker, "ComBoxTypeKl");
    StringGrid* list = Control<StringGrid>(picker, "SGList");
    auto* sel = Control<QPushButton>(picker, "ButSel");
    QVERIFY(kind && list && sel);
    QVERIFY(kind->isEnabled());
    QCOMPARE(kind->currentIndex(), 0);
    // As the user does: down the list, which lists that kind.
    for (int i = 0; i < kindEntry; ++i)
        QTest::keyClick(kind, Qt::Key_Down);
    QCOMPARE(kind->currentIndex(), kindEntry);
    for (int r = list->FixedRows(); r < list->RowCount(); ++r)
        if (list->Cells(0, r) == name) list->SetRow(r);
    QCOMPARE(list->Cells(0, list->Row()), name);
    sel->click();
}
