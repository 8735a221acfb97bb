#include "scripted_interaction.h"
#include "settings_file.h"
#include "state_file.h"
#include "user_interaction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestStateFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString settingsPath() const { return dir.filePath(QStringLiteral("kovrel.ini")); }
    QString statePath() const { return TStateFile::PathBeside(settingsPath()); }

private Q_SLOTS:
    void init() {
        QFile::remove(statePath());
        SetCurrentStateFile(nullptr);
    }

    void keptValuesComeBackInTheNextRunBesideAnUntouchedSettingsFile() {
        QCOMPARE(statePath(), dir.filePath(QStringLiteral("kovrel-state.ini")));
        const QByteArray settings = "[Config]\nLogin=a@b.ru\nDopLogin=\nPas=secret\n";
        writeBytes(settingsPath(), settings);
        {
            TStateFile state(statePath());
            state.SetWindowPlace(QStringLiteral("MainF"), {QRect(-20, 15, 900, 480), false});
            state.SetWindowPlace(QStringLiteral("Расходная накладная"), {QRect(5, 6, 700, 500), true});
            state.SetSplitterSizes(QStringLiteral("Splitter1"), {260, 635});
            state.SetFolder(QStringLiteral("Pdf"), dir.path());
        }
        const TStateFile next(statePath());
        const auto main = next.WindowPlace(QStringLiteral("MainF"));
        QVERIFY(main.has_value());
        QCOMPARE(main->geometry, QRect(-20, 15, 900, 480));
        QVERIFY(!main->maximized);
        const auto editor = next.WindowPlace(QStringLiteral("Расходная накладная"));
        QVERIFY(editor.has_value());
        QCOMPARE(editor->geometry, QRect(5, 6, 700, 500));
        QVERIFY(editor->maximized);
        QVERIFY(!next.WindowPlace(QStringLiteral("Приходная накладная")).has_value());
        QCOMPARE(next.SplitterSizes(QStringLiteral("Splitter1")), QList<int>({260, 635}));
        QCOMPARE(next.Folder(QStringLiteral("Pdf")), dir.path());
        QCOMPARE(next.Folder(QStringLiteral("Import")), QString());
        QCOMPARE(readBytes(settingsPath()), settings);
    }

    // Each value reads whole or not at all; a damaged one spoils nothing beside it.
    void damagedValuesAndFilesReadAsNothingKept() {
        writeBytes(statePath(), "[Windows]\n"
                                "Good=1,2,300,400,0\n"
                                "Short=1,2,300\n"
                                "Long=1,2,300,400,0,9\n"
                                "Letters=1,2,3OO,400,0\n"
                                "NoWidth=1,2,0,400,0\n"
                                "Negative=1,2,300,-400,0\n"
                                "Huge=1,2,300,4000000,0\n"
                                "Flag=1,2,300,400,2\n"
                                "Blanks=1, 2,300,400,0\n"
                                "[Splitters]\n"
                                "One=200\n"
                                "Minus=200,-5\n"
                                "Text=left,right\n"
                                "[Folders]\n"
                                "Gone=/no/such/folder/anywhere\n");
        const TStateFile state(statePath());
        QVERIFY(state.WindowPlace(QStringLiteral("Good")).has_value());
        for (const char* name : {"Short", "Long", "Letters", "NoWidth", "Negative", "Huge", "Flag", "Blanks"})
            QVERIFY2(!state.WindowPlace(QLatin1String(name)).has_value(), name);
        for (const char* name : {"One", "Minus", "Text"})
            QVERIFY2(state.SplitterSizes(QLatin1String(name)).isEmpty(), name);
        QCOMPARE(state.Folder(QStringLiteral("Gone")), QString());

        // Not a text file at all, and a file beyond any size a state file has.
        writeBytes(statePath(), QByteArray("\xff\xfe[Windows]\nGood=1,2,300,400,0\n\0\0", 34));
        QVERIFY(!state.WindowPlace(QStringLiteral("Good")).has_value());
        writeBytes(statePath(), "[Windows]\nGood=1,2,300,400,0\n" + QByteArray(TSettingsFile::kMaxSize, ';'));
        QVERIFY(!state.WindowPlace(QStringLiteral("Good")).has_value());
        // Writing over a damaged file gives a readable one.
        TStateFile(statePath()).SetWindowPlace(QStringLiteral("Good"), {QRect(1, 2, 300, 400), false});
        QCOMPARE(state.WindowPlace(QStringLiteral("Good"))->geometry, QRect(1, 2, 300, 400));
    }

    // A file dialog starts in the folder its purpose chose last, in this run and the next; a
    // cancelled dialog changes nothing, and purposes do not share folders.
    void fileDialogsStartWhereTheirPurposeLastChose() {
        ScriptedInteraction::State& ui = ScriptedInteraction::Install();
        QTemporaryDir pdfDir, importDir, xmlDir;
        {
            TStateFile state(statePath());
            SetCurrentStateFile(&state);
            ui.fileNames << pdfDir.filePath(QStringLiteral("Остатки.pdf")) << QString()
                         << importDir.filePath(QStringLiteral("lines.xlsx")) << xmlDir.path();
            QCOMPARE(AskSaveFileName(FileDialogPurpose::Pdf, QStringLiteral("PDF"), QString(),
                                     QStringLiteral("Остатки.pdf"), QStringLiteral("pdf")),
                     pdfDir.filePath(QStringLiteral("Остатки.pdf")));
            QCOMPARE(AskSaveFileName(FileDialogPurpose::Pdf, QStringLiteral("PDF"), QString(), QString(),
                                     QStringLiteral("pdf")),
                     QString());
            AskOpenFileName(FileDialogPurpose::Import, QStringLiteral("Импорт"), QString());
            QCOMPARE(AskFolder(FileDialogPurpose::EDocument, QStringLiteral("УПД"), QDir::homePath()),
                     xmlDir.path());
            QCOMPARE(ui.startFolders, QStringList({QString(), pdfDir.path(), QString()}));
            QCOMPARE(ui.folderDialogs, QStringList({QStringLiteral("УПД|") + QDir::homePath()}));
        }
        TStateFile nextRun(statePath());
        SetCurrentStateFile(&nextRun);
        ui.startFolders.clear();
        ui.folderDialogs.clear();
        AskSaveFileName(FileDialogPurpose::Pdf, QStringLiteral("PDF"), QString(), QString(), QString());
        AskOpenFileName(FileDialogPurpose::Import, QStringLiteral("Импорт"), QString());
        AskSaveFileName(FileDialogPurpose::TextExport, QStringLiteral("CSV"), QString(), QString(),
                        QString());
        AskFolder(FileDialogPurpose::EDocument, QStringLiteral("УПД"), QDir::homePath());
        QCOMPARE(ui.startFolders, QStringList({pdfDir.path(), importDir.path(), QString()}));
        QCOMPARE(ui.folderDialogs, QStringList({QStringLiteral("УПД|") + xmlDir.path()}));
        SetCurrentStateFile(nullptr);
        ScriptedInteraction::Uninstall();
    }
};

QTEST_GUILESS_MAIN(TestStateFile)
#include "test_state_file.moc"
