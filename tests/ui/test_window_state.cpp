// Where windows stand between runs, on the smallest screen the program is made for (1024 × 600):
// the main window, the editors and the preview come back where they were left and always fit
// the screen; nothing else outlives a run.
#include "date_picker.h"
#include "date_time.h"
#include "main_window_test.h"
#include "modal_script.h"
#include "offscreen_screen.h"
#include "rep_ost_page.h"
#include "state_file.h"
#include "string_grid.h"
#include "tag_list_box.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTemporaryDir>

namespace {

QRect available(const QWidget* w) {
    return w->screen()->availableGeometry();
}

// The whole window, frame included, lies on the screen.
bool fitsScreen(const QWidget* w) {
    return available(w).contains(w->frameGeometry());
}

QString statePath(const MainWindowFixture& f) {
    return TStateFile::PathBeside(f.SettingsPath());
}

void writeState(const MainWindowFixture& f, const QByteArray& text) {
    QFile file(statePath(f));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QDate firstOfMonth() {
    const QDate today = kovrel::DateOf(kovrel::Today());
    return QDate(today.year(), today.month(), 1);
}

} // namespace

class TestWindowState : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void mainWindowComesBackWhereItWasLeftButEveryStartValueStartsAfresh() {
        QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1024, 600));
        QFile::remove(statePath(f));
        auto w = f.OpenAdmin();
        QVERIFY(fitsScreen(w.get())); // its design size is wider than this screen
        const QByteArray settings = f.SettingsText();

        w->setGeometry(QRect(40, 30, 900, 480));
        auto* splitter = find<QSplitter>(*w, "Splitter1");
        splitter->setSizes({260, 635});
        const int navWidth = splitter->sizes().constFirst();
        MainWindowFixture::ClickNav(w->LBoxDoc, 2);
        find<TDatePicker>(*w, "DTPBeginNkl")->setDate(QDate(2020, 5, 6));
        find<TDatePicker>(*w, "DTPRepDolg")->setDate(QDate(2020, 5, 7));
        const int dateWidth = w->TSNkl->Grid()->ColWidths(2);
        w->TSNkl->Grid()->SetColWidths(2, dateWidth + 70);
        find<QComboBox>(*w, "ComBoxTypeKl")->setCurrentIndex(2);
        w->close();
        w.reset();

        w = f.Open();
        QCOMPARE(w->geometry(), QRect(40, 30, 900, 480));
        QCOMPARE(find<QSplitter>(*w, "Splitter1")->sizes().constFirst(), navWidth);
        QCOMPARE(find<TDatePicker>(*w, "DTPBeginNkl")->date(), firstOfMonth());
        QCOMPARE(find<TDatePicker>(*w, "DTPRepDolg")->date(), kovrel::DateOf(kovrel::Today() + 1));
        QCOMPARE(w->TSNkl->Grid()->ColWidths(2), dateWidth);
        QCOMPARE(find<QComboBox>(*w, "ComBoxTypeKl")->currentIndex(), 0);
        // The settings file holds its three keys and nothing of the windows.
        QCOMPARE(f.SettingsText(), settings);
        QVERIFY(QFile::exists(statePath(f)));
    }

    // Garbage, a half-written line, impossible sizes: the window takes its default place, on the
    // screen. A place from a larger screen, partly off this one, comes back whole on it.
    void damagedOrForeignPlacesGiveAWindowFullyOnTheScreen() {
        QFile::remove(statePath(f));
        auto w = f.OpenAdmin();
        const QRect fresh = w->geometry();
        w.reset();
        for (const QByteArray& damaged :
             {QByteArray("\x01\x02\xff\xfe[Windows]\nMainF=\x00\x00", 20),
              QByteArray("[Windows]\nMainF=40,30,900"), QByteArray("[Windows]\nMainF=40,30,-900,480,0"),
              QByteArray("[Windows]\nMainF=40,30,900,480,7"), QByteArray("[Windows]\nMainF=a,b,c,d,0"),
              QByteArray("[Windows]\nMainF=40,30,9999999,480,0")}) {
            writeState(f, damaged);
            w = f.Open();
            QCOMPARE(w->geometry(), fresh);
            QVERIFY(fitsScreen(w.get()));
            w.reset();
        }
        // Moved only as far as needed to come fully on the screen, its size kept.
        writeState(f, "[Windows]\nMainF=700,400,850,500,0\n[Splitters]\nSplitter1=abc\n");
        w = f.Open();
        QVERIFY(fitsScreen(w.get()));
        QCOMPARE(w->size(), QSize(850, 500));
        QCOMPARE(w->frameGeometry().right(), available(w.get()).right());
        QCOMPARE(w->frameGeometry().bottom(), available(w.get()).bottom());
        w.reset();
        // From a larger screen, left of this one: brought over and shrunk to the screen.
        writeState(f, "[Windows]\nMainF=-3000,-50,1800,1000,0\n");
        w = f.Open();
        QVERIFY(fitsScreen(w.get()));
        QCOMPARE(w->frameGeometry().size(), available(w.get()).size());
    }

    // Each kind of editor keeps its own place; an editor and the preview larger than the screen
    // open shrunk onto it.
    void editorsAndThePreviewKeepTheirPlacesAndFitTheScreen() {
        QFile::remove(statePath(f));
        auto w = f.OpenAdmin();
        const QRect kept(60, 20, 700, 520);
        MainWindowFixture::ClickNav(w->LBoxDoc, 2);
        ModalScript script;
        script.Then([&](QWidget* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("Расходная накладная"));
            QVERIFY(fitsScreen(editor));
            QVERIFY(editor->height() < 661);
            editor->setGeometry(kept);
            editor->close();
        });
        find<QPushButton>(*w, "ButInsNkl")->click();
        script.Then([&](QWidget* editor) {
            QCOMPARE(editor->geometry(), kept);
            editor->close();
        });
        find<QPushButton>(*w, "ButInsNkl")->click();
        MainWindowFixture::ClickNav(w->LBoxDoc, 1);
        script.Then([&](QWidget* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("Приходная накладная"));
            QVERIFY(editor->geometry() != kept);
            QVERIFY(fitsScreen(editor));
            editor->close();
        });
        find<QPushButton>(*w, "ButInsPrh")->click();

        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        script.Then([&](QWidget* preview) {
            QCOMPARE(preview->objectName(), QStringLiteral("ReportPreview"));
            QVERIFY(fitsScreen(preview));
            preview->close();
        });
        w->TSRepOst->PrintReport();
        QCOMPARE(script.Pending(), 0);
        const std::optional<TStateFile::Place> place =
            TStateFile(statePath(f)).WindowPlace(QStringLiteral("ReportPreview"));
        QVERIFY(place.has_value());
        QVERIFY(place->geometry.height() <= 600);
    }
};

// The tests run on an offscreen screen of 1024 × 600.
int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    if (!UseOffscreenScreen(dir, QSize(1024, 600))) return 2;
    QApplication app(argc, argv);
    TestWindowState test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_state.moc"
