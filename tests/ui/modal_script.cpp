#include "modal_script.h"

#include "string_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
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

void ChooseKlient(QDialog* picker, int kindEntry, const QString& name) {
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
