// Every page of the main window and every window of the program, as the tour brings them up
// over the demo data at their default sizes with the project's fonts.
#include "layout_faults.h"
#include "main_window_test.h"
#include "reg_page.h"
#include "rep_ost_page.h"
#include "session.h"
#include "status_bar.h"
#include "tag_list_box.h"
#include "window_tour.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMessageBox>

class TestWindowTour : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    // At the main window's design size, and on the smallest screen it is made for.
    void everyPageAndWindowFitsAndEscapeCancelsTheWindows_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default") << QSize();
        QTest::newRow("1024x600") << QSize(1024, 600);
    }
    void everyPageAndWindowFitsAndEscapeCancelsTheWindows() {
        QFETCH(QSize, size);
        auto w = f.OpenAdmin();
        if (size.isValid()) {
            w->resize(size);
            QCOMPARE(w->size(), size);
        }
        QStringList faults;
        int windows = 0;
        for (const TTourStop& stop : WindowTour(*w)) {
            TTourOpened opened;
            QWidget* shown = stop.show(*w, opened);
            shown->show();
            QVERIFY(QTest::qWaitForWindowExposed(shown));
            for (const QString& fault : LayoutFaults(shown))
                faults << stop.name + QStringLiteral(": ") + fault;
            if (shown == w.get()) continue;
            ++windows;
            QWidget* focus = shown->focusWidget() ? shown->focusWidget() : shown;
            QTest::keyClick(focus, Qt::Key_Escape);
            // A question's Escape is its "Отмена", whose result is the button's own.
            const bool cancelled = qobject_cast<QMessageBox*>(shown) ||
                                   qobject_cast<QDialog*>(shown)->result() == QDialog::Rejected;
            if (shown->isVisible() || !cancelled)
                faults << stop.name + QStringLiteral(": Escape in ") + focus->objectName() +
                              QStringLiteral(" leaves the window open");
        }
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), "the faults are listed above");
        // Catalog editors, pickers, document and line editors, the waiting window, the question
        // of an editor closed with changes.
        QCOMPARE(windows, 23);
        QVERIFY(f.Ui->infos.isEmpty());
    }

    // The stores and managers of the filters come from the service: at the window's design size
    // each box shows its longest entry whole, and the report pages still fit.
    void reportFiltersShowTheirLongestEntriesWhole() {
        auto w = f.OpenAdmin();
        QStringList faults;
        for (const TMainF::NavEntry& item : w->Navigation()) {
            if (item.list != w->LBoxRep) continue;
            w->NavigationClick(item);
            for (QComboBox* box : item.page->findChildren<QComboBox*>()) {
                int longest = 0;
                for (int i = 0; i < box->count(); ++i)
                    if (box->itemText(i).size() > box->itemText(longest).size()) longest = i;
                box->setCurrentIndex(longest);
            }
            QTest::qWait(0);
            faults << LayoutFaults(w.get());
        }
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), "the faults are listed above");
        QCOMPARE(w->TSRepOst->ComBoxStore->currentText(), QStringLiteral("Склад на Промышленной"));
    }

    // The longest texts the status bar carries, on the smallest screen: a new password's
    // answer from the service in panel 0, a failed sign-in with the service's address in panel 1.
    void statusPanelsShowTheirTextsWhole() {
        auto w = f.OpenAdmin();
        w->resize(1024, 600);
        w->ShowPage(w->TSReg);
        w->RequestAdminPassword();
        QCOMPARE(f.Ui->infos.size(), 1);
        QVERIFY2(w->SBarInfo->PanelText(0).size() > 30, qPrintable(w->SBarInfo->PanelText(0)));
        BaseURL = QStringLiteral("http://127.0.0.1:9"); // nothing answers there
        w->SignIn();
        QVERIFY2(w->SBarInfo->PanelText(1).size() > 60, qPrintable(w->SBarInfo->PanelText(1)));
        QTest::qWait(0); // the bar lays its panels out anew
        const QStringList faults = LayoutFaults(w.get());
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), "the faults are listed above");
    }
};

// The tour runs on the screen the screenshots are taken on, 1366 × 768, where the main window
// keeps its design size (a smaller screen would shrink it to fit); the small screen's size is
// the main window's, resized to it.
QTEST_MAIN(TestWindowTour)
#include "test_window_tour.moc"
