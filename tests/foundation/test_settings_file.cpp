#include "program_version.h"
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kConfig = QStringLiteral("Config");

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("kovrel.ini")); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void missingEmptyAndMalformedFilesReadAsEmpty() {
        TSettingsFile ini(path());
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Login")), QString());
        writeBytes(path(), "");
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Login")), QString());
        // A key outside its section, a line without "=", a broken header, binary bytes.
        writeBytes(path(), "Login=stray@x.ru\n[Config\nLogin\n=nokey\n");
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Login")), QString());
        writeBytes(path(), QByteArray("[Config]\nLogin=a@b.ru\n\0\x01\x02", 23));
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Login")), QString());
        // Something far too large to be a settings file.
        writeBytes(path(), "[Config]\nLogin=a@b.ru\n" + QByteArray(TSettingsFile::kMaxSize, ';'));
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Login"), QStringLiteral("def")),
                 QStringLiteral("def"));
    }

    void readsWhatOtherToolsWrite() {
        writeBytes(path(), "\xEF\xBB\xBF; written by hand\r\n[other]\r\nLogin=wrong@x.ru\r\n"
                           "[ config ]\r\n  login =  admin@shop.ru  \r\nPas=a=b;c\r\n"
                           "Login=second@x.ru\r\nDopLogin=\r\n");
        TSettingsFile ini(path());
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Login")), QStringLiteral("admin@shop.ru"));
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Pas")), QStringLiteral("a=b;c"));
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("DopLogin"), QStringLiteral("x")), QString());
        QCOMPARE(ini.ReadString(kConfig, QStringLiteral("Absent"), QStringLiteral("x")), QStringLiteral("x"));
    }

    void writesPlainTextAndKeepsTheRest() {
        writeBytes(path(), "; my note\r\n[Config]\r\nLogin=old@x.ru\r\nExtra=1\r\n\r\n[Other]\r\nKey=v\r\n");
        TSettingsFile ini(path());
        QVERIFY(ini.WriteString(kConfig, QStringLiteral("Login"), QStringLiteral("new@x.ru")));
        QVERIFY(ini.WriteString(kConfig, QStringLiteral("Pas"), QStringLiteral("пароль 1")));
        QVERIFY(ini.WriteString(QStringLiteral("Third"), QStringLiteral("A"), QStringLiteral("b")));
        QCOMPARE(readBytes(path()),
                 QStringLiteral("; my note\r\n[Config]\r\nLogin=new@x.ru\r\nExtra=1\r\n"
                                "Pas=пароль 1\r\n\r\n[Other]\r\nKey=v\r\n[Third]\r\nA=b\r\n")
                     .toUtf8());
        QCOMPARE(TSettingsFile(path()).ReadString(kConfig, QStringLiteral("Pas")),
                 QStringLiteral("пароль 1"));
    }

    void newFileIsTheOwnersOnlyAndExistingPermissionsStay() {
        const QString nested = dir.filePath(QStringLiteral("config/kovrel/kovrel.ini"));
        TSettingsFile ini(nested);
        QVERIFY(ini.WriteString(kConfig, QStringLiteral("Pas"), QStringLiteral("secret")));
        QCOMPARE(readBytes(nested), QByteArray("[Config]\nPas=secret\n"));
        // Owner, group and others; the "user" bits merely repeat the owner's for the owner.
        const auto modeOf = [](const QString& p) { return int(QFileInfo(p).permissions()) & 0x7077; };
        const int ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QCOMPARE(modeOf(nested), ownerOnly);

        const int shared = ownerOnly | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(nested, QFileDevice::Permissions(shared)));
        QVERIFY(ini.WriteString(kConfig, QStringLiteral("Pas"), QStringLiteral("other")));
        QCOMPARE(modeOf(nested), shared);
    }

    void failedWriteLeavesTheFileAlone() {
        writeBytes(path(), "[Config]\nLogin=a@b.ru\n");
        // A folder in the way of the file's own folder cannot be written into.
        TSettingsFile blocked(path() + QStringLiteral("/kovrel.ini"));
        QVERIFY(!blocked.WriteString(kConfig, QStringLiteral("Login"), QStringLiteral("x")));
        QCOMPARE(readBytes(path()), QByteArray("[Config]\nLogin=a@b.ru\n"));
    }

    void locatedBesideTheProgramUnlessItsFolderCannotBeWritten() {
        const QString config = dir.filePath(QStringLiteral("cfg"));
        QCOMPARE(TSettingsFile::Locate(dir.path(), config), dir.filePath(QStringLiteral("kovrel.ini")));
        QCOMPARE(TSettingsFile::Locate(dir.filePath(QStringLiteral("no-such-folder")), config),
                 QDir(config).filePath(QStringLiteral("kovrel.ini")));
    }

    void versionTextsFromTheFileVersion() {
        const TProgramVersion v{true, 5, 2, 0, 105};
        QCOMPARE(VersionText(v), QStringLiteral(" 2024 R2 (сборка 105)"));
        QCOMPARE(ClientTagOf(v), QStringLiteral("W.5.2.105"));
        QCOMPARE(VersionText(TProgramVersion()), QString());
        QCOMPARE(ClientTagOf(TProgramVersion()), QStringLiteral("W"));
        QVERIFY(ProgramVersion().valid);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
