#include "date_time.h"
#include "format_settings.h"
#include "number_text.h"

#include <QTest>

using kovrel::EncodeDate;
using kovrel::FormatDateTime;

class TestNumberText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { BuildFormatSettings(); }

    void formatFixed_data() {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("exact half rounds up") << 2 << 0.125 << "0.13";
        QTest::newRow("stored below the half") << 2 << 1.005 << "1.00";
        QTest::newRow("stored below the half 2") << 2 << 2.675 << "2.67";
        QTest::newRow("no grouping") << 2 << 1234.5 << "1234.50";
        QTest::newRow("no decimals rounds half away") << 0 << 2.5 << "3";
        QTest::newRow("negative half") << 0 << -2.5 << "-3";
        QTest::newRow("negative") << 2 << -1250.0 << "-1250.00";
        QTest::newRow("carry through nines") << 2 << 9.999 << "10.00";
        QTest::newRow("zero") << 2 << 0.0 << "0.00";
        QTest::newRow("tiny negative has no sign") << 2 << -0.001 << "0.00";
        QTest::newRow("small value rounds up") << 2 << 0.005 << "0.01";
        QTest::newRow("below first decimal") << 3 << 0.0004 << "0.000";
        QTest::newRow("three decimals") << 3 << 12.0 << "12.000";
        QTest::newRow("eighteen digits kept") << 0 << 123456789012345678.0 << "123456789012345680";
        QTest::newRow("far below") << 2 << 1e-30 << "0.00";
    }
    void formatFixed() {
        QFETCH(int, decimals);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatFixed(decimals, value), expected);
    }

    void formatQty_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 1 << 3 << 5.0 << "5";
        QTest::newRow("fraction") << 1 << 3 << 2.5 << "2.500";
        QTest::newRow("negative fraction") << 1 << 3 << -0.25 << "-0.250";
        QTest::newRow("padded") << 5 << 3 << 24.0 << "   24";
        QTest::newRow("two decimals") << 1 << 2 << 10.5 << "10.50";
        QTest::newRow("whole vat") << 1 << 2 << 20.0 << "20";
        QTest::newRow("negative whole") << 1 << 3 << -7.0 << "-7";
    }
    void formatQty() {
        QFETCH(int, width);
        QFETCH(int, decimals);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatQty(width, decimals, value), expected);
    }

    void typedNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("russian grouping and comma") << QString::fromUtf8(" 1\u00A0234,5 ") << true << 1234.5;
        QTest::newRow("comma") << "2,5" << true << 2.5;
        QTest::newRow("point") << "2.5" << true << 2.5;
        QTest::newRow("exponent") << "1e3" << true << 1000.0;
        QTest::newRow("leading point") << "-.5" << true << -0.5;
        QTest::newRow("trailing point") << "+3." << true << 3.0;
        QTest::newRow("tabs and line breaks around") << "\t42\r\n" << true << 42.0;
        QTest::newRow("blank inside") << "1 234" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "12abc" << false << 0.0;
        QTest::newRow("two separators") << "1.2.3" << false << 0.0;
        QTest::newRow("comma and point") << "1,234.5" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
    }
    void typedNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        QCOMPARE(IsFloatText(text), isNumber);
        QCOMPARE(ParseFloatDef(text, -99), isNumber ? value : -99.0);
    }

    void normalizeTrimsControlsAndGrouping() {
        QCOMPARE(NormalizeNumberText(QString::fromUtf8("\t 1\u00A0000,5\u00A0\n")), QStringLiteral("1000.5"));
        QCOMPARE(NormalizeNumberText(QStringLiteral("a, b")), QStringLiteral("a. b"));
    }

    void datePictures() {
        const TDateTime t = EncodeDate(2024, 3, 7) + (13 * 3600 + 5 * 60 + 9) / 86400.0;
        QCOMPARE(FormatDateTime(DisplayFormat.ShortDateFormat, t, DisplayFormat), QStringLiteral("07.03.24"));
        QCOMPARE(FormatDateTime(DisplayFormat.LongDateFormat, t, DisplayFormat),
                 QStringLiteral("07.03.2024"));
        // "mm" right after an hour is minutes, elsewhere the month.
        QCOMPARE(FormatDateTime(DisplayFormat.LongTimeFormat, t, DisplayFormat), QStringLiteral("13:05:09"));
        QCOMPARE(FormatDateTime(WireFormat.ShortDateFormat, t, WireFormat), QStringLiteral("2024-03-07"));
        QCOMPARE(FormatDateTime(WireFormat.LongTimeFormat, t, WireFormat), QStringLiteral("13:05:09"));
        const QString month = QLocale(QLocale::Russian).standaloneMonthName(3, QLocale::ShortFormat);
        QCOMPARE(FormatDateTime(QStringLiteral("mmm yyyy"), t, DisplayFormat),
                 month + QStringLiteral(" 2024"));
    }

    void wireDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("date") << "2024-02-01" << true << EncodeDate(2024, 2, 1);
        QTest::newRow("date and time") << "2024-02-01 18:00:00" << true << EncodeDate(2024, 2, 1) + 0.75;
        QTest::newRow("zeros") << "0000-00-00" << false << 0.0;
        QTest::newRow("zeros with time") << "0000-00-00 00:00:00" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("impossible day") << "2024-02-30" << false << 0.0;
        QTest::newRow("display form") << "01.02.2024" << false << 0.0;
        QTest::newRow("bad time") << "2024-02-01 25:00:00" << false << 0.0;
    }
    void wireDates() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        TDateTime parsed = 0;
        QCOMPARE(kovrel::TryParseWireDate(text, parsed), ok);
        QCOMPARE(parsed, value);
    }

    void dateTimesRoundTripThroughDays() {
        const QDateTime dt(QDate(2024, 2, 29), QTime(23, 59, 59, 999));
        QCOMPARE(kovrel::FromDateTime(kovrel::ToDateTime(dt)), dt);
        QCOMPARE(kovrel::ToDateTime(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(kovrel::WholeDaysBetween(EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 11) + 0.99), 10);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
