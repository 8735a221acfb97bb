// The Calc export against a real LibreOffice started headless over UNO: the spreadsheet it
// stores read back from the .ods file; and what the user is told when the office is missing.
#include "calc_module.h"
#include "grid_export.h"
#include "report_grid.h"
#include "scripted_interaction.h"

#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <quazip.h>
#include <quazipfile.h>

namespace {

TReportGrid sampleGrid() {
    TReportGrid grid;
    grid.Widths = {250, 40};
    grid.Rows << QStringList{QStringLiteral("  Наименование "), QStringLiteral("Сумма")}
              << QStringList{QStringLiteral("=HYPERLINK(\"http://example.com\")"), QStringLiteral("1234.50")}
              << QStringList{QStringLiteral("1/2"), QStringLiteral("-3")}
              << QStringList{QString(), QStringLiteral("007")};
    return grid;
}

// The first table of an .ods file: cells as "text" or "number:value", column widths in
// hundredths of a millimetre.
struct OdsSheet {
    QList<QStringList> rows;
    QList<int> widths;
};

double hundredthsOfMm(const QString& length) {
    if (length.endsWith(QLatin1String("in"))) return length.chopped(2).toDouble() * 2540;
    if (length.endsWith(QLatin1String("cm"))) return length.chopped(2).toDouble() * 1000;
    return length.chopped(2).toDouble() * 100; // mm
}

OdsSheet readOds(const QString& path) {
    OdsSheet sheet;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(QStringLiteral("content.xml"))) return sheet;
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly)) return sheet;
    QXmlStreamReader xml(&file);
    QHash<QString, int> columnStyles;
    QString style;
    int tables = 0;
    while (!xml.atEnd() && tables < 2) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = xml.attributes();
        const int repeat = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
        if (xml.qualifiedName() == u"style:style")
            style = a.value(QLatin1String("style:name")).toString();
        else if (xml.qualifiedName() == u"style:table-column-properties")
            columnStyles[style] =
                qRound(hundredthsOfMm(a.value(QLatin1String("style:column-width")).toString()));
        else if (xml.qualifiedName() == u"table:table")
            ++tables;
        else if (xml.qualifiedName() == u"table:table-column")
            for (int i = 0; i < repeat && sheet.widths.size() < 2; ++i)
                sheet.widths << columnStyles.value(a.value(QLatin1String("table:style-name")).toString());
        else if (xml.qualifiedName() == u"table:table-row")
            sheet.rows << QStringList();
        else if (xml.qualifiedName() == u"table:table-cell") {
            const QString type = a.value(QLatin1String("office:value-type")).toString();
            const QString value = a.value(QLatin1String("office:value")).toString();
            QString text;
            while (xml.readNext() != QXmlStreamReader::EndElement ||
                   xml.qualifiedName() != u"table:table-cell")
                if (xml.isCharacters()) text += xml.text();
            for (int i = 0; i < std::min(repeat, 2); ++i)
                sheet.rows.last() << (type == u"float" ? QStringLiteral("number:") + value : text);
        }
    }
    return sheet;
}

} // namespace

class TestCalcExport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The office keeps its profile in the home folder: a fresh one, not the user's.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toUtf8());
    }
    void init() { m_ui = &ScriptedInteraction::Install(); }
    void cleanup() { ScriptedInteraction::Uninstall(); }

    void spreadsheetReadsBack_data() {
        QTest::addColumn<CalcModule::Method>("method");
        QTest::newRow("by range") << CalcModule::Method::ByRange;
        QTest::newRow("by cell") << CalcModule::Method::ByCell;
    }
    void spreadsheetReadsBack() {
#ifndef KOVREL_CALC_MODULE
        QSKIP("the Calc export module is not built here (no LibreOffice SDK)");
#else
        QFETCH(CalcModule::Method, method);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Остатки.ods"));
        QString message;
        int progressed = 0;
        const CalcModule::Result result =
            CalcModule(QStringLiteral(KOVREL_CALC_MODULE))
                .Export(
                    sampleGrid(), 54, path, message,
                    [&](int done, int total) { progressed = done * 100 / total; }, method);
        QVERIFY2(result == CalcModule::Result::Ok, qPrintable(message));
        QCOMPARE(progressed, 100);

        const OdsSheet sheet = readOds(path);
        const QList<QStringList> expected = {
            {QStringLiteral("Наименование"), QStringLiteral("Сумма")},
            {QStringLiteral("=HYPERLINK(\"http://example.com\")"), QStringLiteral("number:1234.5")},
            {QStringLiteral("1/2"), QStringLiteral("number:-3")},
            {QString(), QStringLiteral("007")}};
        QCOMPARE(sheet.rows.mid(0, 4), expected);
        QCOMPARE(sheet.widths.size(), 2);
        // Calc keeps widths in twips: within one of them (1.76 hundredths of a millimetre).
        QVERIFY2(qAbs(sheet.widths[0] - 11759) <= 2, qPrintable(QString::number(sheet.widths[0])));
        QVERIFY2(qAbs(sheet.widths[1] - 1881) <= 2, qPrintable(QString::number(sheet.widths[1])));
#endif
    }

    void missingOfficeOnlySaysSo() {
        const TReportGrid grid = sampleGrid();
        QTemporaryDir dir;
        QVERIFY(!ExportGridToCalc(grid, 54, CalcModule(dir.filePath(QStringLiteral("libkovrel_calc.so")))));
#ifdef KOVREL_CALC_MODULE
        // The module is there, the office is not.
        qputenv("UNO_PATH", dir.path().toUtf8());
        QVERIFY(!ExportGridToCalc(grid, 54, CalcModule(QStringLiteral(KOVREL_CALC_MODULE))));
        qunsetenv("UNO_PATH");
#endif
        QVERIFY(m_ui->errors.isEmpty());
        QVERIFY(!m_ui->infos.isEmpty());
        for (const QString& info : std::as_const(m_ui->infos)) {
            QVERIFY2(info.startsWith(
                         QStringLiteral("Экспорт в Calc невозможен: офисный пакет LibreOffice не найден")),
                     qPrintable(info));
            QVERIFY(info.contains(QStringLiteral("libreoffice-calc")));
        }
        QVERIFY(QDir(dir.path()).isEmpty());
    }

private:
    QTemporaryDir m_home;
    ScriptedInteraction::State* m_ui = nullptr;
};

QTEST_GUILESS_MAIN(TestCalcExport)
#include "test_calc_export.moc"
