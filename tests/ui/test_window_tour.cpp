// Every page of the main window and every window of the program, as the tour brings them up
// over the demo data at their default sizes with the project's fonts.
#include "layout_faults.h"
#include "main_window_test.h"
#include "window_tour.h"

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
};

QTEST_MAIN(TestWindowTour)
#include "test_window_tour.moc"
