#include "category_panel.h"
#include "combo_id.h"
#include "message_box_interaction.h"
#include "server_wait.h"
#include "status_bar.h"
#include "tag_list_box.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultButton;
    QStringList buttons;
};

// Answers the next message box by clicking the button with `answer` as its text, and records
// what the box looked like.
void answerNextBox(SeenBox& seen, const QString& answer) {
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        if (box->defaultButton()) seen.defaultButton = box->defaultButton()->text();
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons << b->text();
            if (b->text() == answer) b->click();
        }
    });
}

} // namespace

class TestUiCommon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void comboItemsCarryTheirIDs() {
        QComboBox box;
        QCOMPARE(GetComboID(&box, 7), 7);
        SetComboID(&box, 3);
        QCOMPARE(box.currentIndex(), -1); // an empty box stays unselected
        AddComboItem(&box, QStringLiteral("(все)"), -1);
        AddComboItem(&box, QStringLiteral("Склад 1"), 10);
        AddComboItem(&box, QStringLiteral("Склад 2"), 20);
        AddComboItem(&box, QStringLiteral("Склад 2 снова"), 20);
        SetComboID(&box, 20);
        QCOMPARE(box.currentIndex(), 2);
        QCOMPARE(GetComboID(&box, 0), 20);
        SetComboID(&box, 99);
        QCOMPARE(box.currentIndex(), 0);
        QCOMPARE(GetComboID(&box, 0), -1);
        box.setCurrentIndex(-1);
        QCOMPARE(GetComboID(&box, 0), 0);
    }

    void questionsHaveTheirCaptionAndPreselectedButton() {
        MessageBoxInteraction ui;
        SeenBox seen;
        answerNextBox(seen, QStringLiteral("Да"));
        QVERIFY(ui.askYesNo(QStringLiteral("Удалить ?"), false));
        QCOMPARE(seen.title, QStringLiteral("Вопрос"));
        QCOMPARE(seen.text, QStringLiteral("Удалить ?"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.defaultButton, QStringLiteral("Нет"));
        QCOMPARE(seen.buttons.size(), 2);

        seen = SeenBox();
        answerNextBox(seen, QStringLiteral("Нет"));
        QVERIFY(!ui.askYesNo(QStringLiteral("Открыть ?"), true));
        QCOMPARE(seen.defaultButton, QStringLiteral("Да"));
    }

    void informationBoxHasItsCaption() {
        MessageBoxInteraction ui;
        SeenBox seen;
        answerNextBox(seen, QStringLiteral("OK"));
        ui.showInfo(QStringLiteral("Доступ запрещен. "));
        QCOMPARE(seen.title, QStringLiteral("Сообщение"));
        QCOMPARE(seen.text, QStringLiteral("Доступ запрещен. "));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    }

    void fileFiltersInBothForms() {
        QCOMPARE(MessageBoxInteraction::DialogFilter(QStringLiteral("Файлы Excel|*.xls*")),
                 QStringLiteral("Файлы Excel (*.xls*)"));
        QCOMPARE(MessageBoxInteraction::DialogFilter(QStringLiteral("Текст|*.txt;*.csv|Все|*.*")),
                 QStringLiteral("Текст (*.txt *.csv);;Все (*.*)"));
        QCOMPARE(MessageBoxInteraction::DialogFilter(QStringLiteral("Книги (*.xlsx)")),
                 QStringLiteral("Книги (*.xlsx)"));
    }

    void serverWaitFramesTheCall() {
        TStatusBar bar;
        bar.AddPanel(200);
        bar.AddPanel(400);
        {
            TServerWait wait(bar, 1);
            QCOMPARE(bar.PanelText(1), QStringLiteral("Ожидание ответа сервера ..."));
        }
        QCOMPARE(bar.PanelText(1), QStringLiteral("Ответ получен."));
        {
            TServerWait wait(bar, 1);
            wait.Finish(QStringLiteral("Ответ получен. Время запроса: 2 сек."));
        }
        QCOMPARE(bar.PanelText(1), QStringLiteral("Ответ получен. Время запроса: 2 сек."));
        QCOMPARE(bar.PanelText(0), QString());
        QCOMPARE(bar.Panel(0)->width(), 200);
    }

    void listItemsReportTheirTagsNotPositions() {
        TagListBox list;
        list.AddItem(QStringLiteral("Приходные накладные"), 1);
        list.AddItem(QStringLiteral("Заказы (счета)"), 5);
        list.resize(200, 100);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy spy(&list, &TagListBox::TagClicked);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
        list.setCurrentRow(0);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(0).at(0).toInt(), 5);
        QCOMPARE(spy.at(1).at(0).toInt(), 5); // the same item again runs again
        QCOMPARE(spy.at(2).at(0).toInt(), 1);
        QCOMPARE(list.RowOfTag(5), 1);
        QCOMPARE(list.visualItemRect(list.item(0)).height(), TagListBox::kItemHeight);
    }

    void categoryPanelFoldsAway() {
        CategoryPanel panel(QStringLiteral("Отчеты"), 232);
        auto* content = new QLabel(QStringLiteral("x"));
        panel.SetContent(content);
        panel.show();
        QCOMPARE(panel.height(), 232);
        panel.SetCollapsed(true);
        QVERIFY(panel.height() < 232);
        QVERIFY(!content->isVisible());
        panel.SetCollapsed(false);
        QCOMPARE(panel.height(), 232);
        QVERIFY(content->isVisible());
    }
};

QTEST_MAIN(TestUiCommon)
#include "test_ui_common.moc"
