#include "golden_dump.h"

#include "report_writer.h"

#include <QFile>
#include <QTest>

void CompareGolden(const PreparedReport& report, const QString& dir, const QString& name) {
    const QString path = QStringLiteral("%1/%2.txt").arg(dir, name);
    const QByteArray dump = report.dump().toUtf8();
    QFile file(path);
    if (qEnvironmentVariableIsSet("KOVREL_UPDATE_GOLDEN")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(dump);
        const QString pictures = qEnvironmentVariable("KOVREL_GOLDEN_PNG_DIR");
        // Named after the golden file: one form may have several (its editions).
        PreparedReport named = report;
        named.name = name;
        if (!pictures.isEmpty()) QCOMPARE(ReportWriter::writePngs(named, pictures, 96), QString());
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(path + QStringLiteral(" is missing; run tests/report/update-goldens")));
    const QList<QByteArray> expected = file.readAll().split('\n');
    const QList<QByteArray> actual = dump.split('\n');
    for (int i = 0; i < std::min(expected.size(), actual.size()); ++i)
        QVERIFY2(expected[i] == actual[i],
                 qPrintable(QStringLiteral("%1 line %2:\n  expected %3\n  actual   %4")
                                .arg(name)
                                .arg(i + 1)
                                .arg(QString::fromUtf8(expected[i]), QString::fromUtf8(actual[i]))));
    QCOMPARE(actual.size(), expected.size());
}
