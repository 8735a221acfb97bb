#include "money.h"

#include <QTest>

#include <cmath>
#include <limits>

using kovrel::ComputeLine;
using kovrel::LineFigures;
using kovrel::Money;
using kovrel::Quantity;
using kovrel::VatRate;

namespace {

Money rub(qint64 kopecks) {
    return Money::FromKopecks(kopecks);
}

Quantity qty(qint64 thousandths) {
    return Quantity::FromThousandths(thousandths);
}

} // namespace

class TestMoney : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Decimal text is read digit by digit: the first dropped digit decides, halves go up.
    void parseMoney_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("kopecks"); // -1 for a refusal
        QTest::newRow("half up, stored below as a double") << "2.675" << 268LL;
        QTest::newRow("half of a kopeck") << "0.015" << 2LL;
        QTest::newRow("comma") << "0,125" << 13LL;
        QTest::newRow("below the half") << "0.1249999" << 12LL;
        QTest::newRow("negative half away from zero") << "-0.125" << -13LL;
        QTest::newRow("plus sign, blanks around") << " +1.005 " << 101LL;
        QTest::newRow("whole") << "12" << 1200LL;
        QTest::newRow("one decimal") << "3.1" << 310LL;
        QTest::newRow("no whole part") << ".5" << 50LL;
        QTest::newRow("separator last") << "7." << 700LL;
        QTest::newRow("carry into roubles") << "9.995" << 1000LL;
        QTest::newRow("largest price the service takes") << "999999999999.99" << 99999999999999LL;
        QTest::newRow("empty") << "" << -1LL;
        QTest::newRow("sign alone") << "-" << -1LL;
        QTest::newRow("separator alone") << "." << -1LL;
        QTest::newRow("exponent") << "1e3" << -1LL;
        QTest::newRow("two separators") << "1.2.3" << -1LL;
        QTest::newRow("grouping blank") << "1 000" << -1LL;
        QTest::newRow("letters") << "12р" << -1LL;
        QTest::newRow("beyond 64 bits") << "100000000000000000000" << -1LL;
    }
    void parseMoney() {
        QFETCH(QString, text);
        QFETCH(qint64, kopecks);
        const auto m = Money::Parse(text);
        if (kopecks == -1)
            QVERIFY(!m);
        else
            QCOMPARE(m.value().Kopecks(), kopecks);
    }

    // Doubles are read from their shortest text, so binary noise never decides a half.
    void fromDouble() {
        QCOMPARE(Money::FromDouble(2.675).Kopecks(), 268LL);
        QCOMPARE(Money::FromDouble(1.005).Kopecks(), 101LL);
        QCOMPARE(Money::FromDouble(3 * 0.05).Kopecks(), 15LL);
        QCOMPARE(Money::FromDouble(0.1 + 0.2).Kopecks(), 30LL);
        QCOMPARE(Money::FromDouble(-0.125).Kopecks(), -13LL);
        QCOMPARE(Money::FromDouble(1e-30).Kopecks(), 0LL);
        QCOMPARE(Money::FromDouble(std::nan("")).Kopecks(), 0LL);
        QCOMPARE(Money::FromDouble(1e300).Kopecks(), std::numeric_limits<qint64>::max());
        QCOMPARE(Money::FromDouble(-1e300).Kopecks(), -std::numeric_limits<qint64>::max());
        QCOMPARE(Quantity::FromDouble(0.333).Thousandths(), 333LL);
        QCOMPARE(Quantity::FromDouble(0.0005).Thousandths(), 1LL);
        QCOMPARE(Quantity::FromDouble(0.1665).Thousandths(), 167LL);
        QCOMPARE(Quantity::Parse(u"1,5").value().Thousandths(), 1500LL);
        QVERIFY(!Quantity::Parse(u"полкило"));
        QCOMPARE(VatRate::FromDouble(22).Hundredths(), 2200);
        QCOMPARE(VatRate::FromDouble(9.09).Hundredths(), 909);
        QVERIFY(VatRate::FromDouble(0).IsZero());
    }

    void texts() {
        QCOMPARE(rub(123450).ToText(), "1234.50");
        QCOMPARE(rub(-5).ToText(), "-0.05");
        QCOMPARE(rub(0).ToText(), "0.00");
        QCOMPARE(rub(std::numeric_limits<qint64>::min()).ToText(), "-92233720368547758.08");
        QCOMPARE(rub(1999).ToDouble(), 19.99);
        QCOMPARE(qty(2000).ToText(), "2");
        QCOMPARE(qty(1500).ToText(), "1.5");
        QCOMPARE(qty(333).ToText(), "0.333");
        QCOMPARE(qty(-250).ToText(), "-0.25");
        QCOMPARE(qty(333).ToDouble(), 0.333);
        QVERIFY(qty(3000).IsWhole());
        QVERIFY(!qty(3001).IsWhole());
        QCOMPARE(VatRate::Percent(22).PercentText(), "22%");
        QCOMPARE(VatRate::FromHundredths(909).PercentText(), "9,09%");
        QCOMPARE(VatRate::FromHundredths(1667).PercentText(), "16,67%");
        QCOMPARE(VatRate::FromHundredths(1050).PercentText(), "10,50%");
    }

    // One line: sum = quantity × price rounded, VAT = sum × rate / (100 + rate) rounded, and
    // the sum without VAT is what is left, so withoutVat + vat = sum on every line.
    void lineFigures_data() {
        QTest::addColumn<qint64>("thousandths");
        QTest::addColumn<qint64>("price");
        QTest::addColumn<int>("rate");
        QTest::addColumn<qint64>("sum");
        QTest::addColumn<qint64>("vat");
        QTest::addColumn<qint64>("priceWithoutVat");
        QTest::newRow("weighed at 22 %") << 333LL << 1234LL << 2200 << 411LL << 74LL << 1011LL;
        QTest::newRow("weighed at 10 %") << 333LL << 1234LL << 1000 << 411LL << 37LL << 1122LL;
        QTest::newRow("half a kopeck in the sum goes up") << 1500LL << 3LL << 2200 << 5LL << 1LL << 2LL;
        QTest::newRow("three times five kopecks") << 3000LL << 5LL << 2200 << 15LL << 3LL << 4LL;
        QTest::newRow("VAT of a half kopeck goes up") << 1000LL << 75LL << 2000 << 75LL << 13LL << 62LL;
        QTest::newRow("same at 10 %") << 1000LL << 75LL << 1000 << 75LL << 7LL << 68LL;
        QTest::newRow("three at 120,00 at 20 %") << 3000LL << 12000LL << 2000 << 36000LL << 6000LL << 10000LL;
        QTest::newRow("three at 100,00 at 20 %") << 3000LL << 10000LL << 2000 << 30000LL << 5000LL << 8333LL;
        QTest::newRow("without VAT") << 2500LL << 999LL << 0 << 2498LL << 0LL << 999LL;
        QTest::newRow("nothing sold") << 0LL << 12345LL << 2200 << 0LL << 0LL << 10119LL;
        QTest::newRow("a rate of -100 % means no VAT") << 1000LL << 100LL << -10000 << 100LL << 0LL << 100LL;
    }
    void lineFigures() {
        QFETCH(qint64, thousandths);
        QFETCH(qint64, price);
        QFETCH(int, rate);
        QFETCH(qint64, sum);
        QFETCH(qint64, vat);
        QFETCH(qint64, priceWithoutVat);
        const VatRate r = VatRate::FromHundredths(rate);
        const LineFigures f = ComputeLine(qty(thousandths), rub(price), r);
        QCOMPARE(f.sum.Kopecks(), sum);
        QCOMPARE(f.vat.Kopecks(), vat);
        QCOMPARE(f.withoutVat.Kopecks(), sum - vat);
        QCOMPARE(kovrel::PriceWithoutVat(rub(price), r).Kopecks(), priceWithoutVat);
    }

    // Totals are sums of rounded lines: the columns add up even where rounding the total
    // itself would give another kopeck.
    void totalsOfRoundedLines() {
        LineFigures total;
        for (int i = 0; i < 3; ++i)
            total += ComputeLine(qty(1000), rub(75), VatRate::Percent(20)); // 0,125 VAT each
        QCOMPARE(total.sum, rub(225));
        QCOMPARE(total.vat, rub(39));
        QCOMPARE(total.withoutVat, rub(186));
        QCOMPARE(kovrel::VatIncluded(rub(225), VatRate::Percent(20)), rub(38)); // not what is printed
        QCOMPARE(kovrel::VatIncluded(rub(-75), VatRate::Percent(20)), rub(-13));
    }

    void lineSumBeyondRange() {
        const Money price = rub(99999999999999);
        QCOMPARE(kovrel::LineSum(qty(999999999999), price).Kopecks(), std::numeric_limits<qint64>::max());
        QCOMPARE(kovrel::LineSum(qty(999999999999), -price).Kopecks(), -std::numeric_limits<qint64>::max());
    }

    void sumInWords_data() {
        QTest::addColumn<qint64>("kopecks");
        QTest::addColumn<QString>("words");
        QTest::newRow("0") << 0LL << "Ноль рублей 00 копеек";
        QTest::newRow("0,01") << 1LL << "Ноль рублей 01 копейка";
        QTest::newRow("1") << 100LL << "Один рубль 00 копеек";
        QTest::newRow("1,01") << 101LL << "Один рубль 01 копейка";
        QTest::newRow("2,22") << 222LL << "Два рубля 22 копейки";
        QTest::newRow("5") << 500LL << "Пять рублей 00 копеек";
        QTest::newRow("11") << 1100LL << "Одиннадцать рублей 00 копеек";
        QTest::newRow("14,14") << 1414LL << "Четырнадцать рублей 14 копеек";
        QTest::newRow("21,21") << 2121LL << "Двадцать один рубль 21 копейка";
        QTest::newRow("112,05") << 11205LL << "Сто двенадцать рублей 05 копеек";
        QTest::newRow("380") << 38000LL << "Триста восемьдесят рублей 00 копеек";
        QTest::newRow("1 000") << 100000LL << "Одна тысяча рублей 00 копеек";
        QTest::newRow("2 000") << 200000LL << "Две тысячи рублей 00 копеек";
        QTest::newRow("11 000") << 1100000LL << "Одиннадцать тысяч рублей 00 копеек";
        QTest::newRow("1 000 000") << 100000000LL << "Один миллион рублей 00 копеек";
        QTest::newRow("123,45") << 12345LL << "Сто двадцать три рубля 45 копеек";
        QTest::newRow("1 234 567,89")
            << 123456789LL
            << "Один миллион двести тридцать четыре тысячи пятьсот шестьдесят семь рублей 89 копеек";
        QTest::newRow("2 000 001 000,02") << 200000100002LL << "Два миллиарда одна тысяча рублей 02 копейки";
        QTest::newRow("negative") << -500LL << "Минус пять рублей 00 копеек";
    }
    void sumInWords() {
        QFETCH(qint64, kopecks);
        QFETCH(QString, words);
        QCOMPARE(kovrel::SumInWords(rub(kopecks)), words);
    }

    void numberInWords() {
        using kovrel::NumberInWords;
        using kovrel::WordGender;
        QCOMPARE(NumberInWords(0), "ноль");
        QCOMPARE(NumberInWords(1, WordGender::Neuter), "одно");
        QCOMPARE(NumberInWords(22, WordGender::Feminine), "двадцать две");
        QCOMPARE(NumberInWords(41, WordGender::Masculine), "сорок один");
        QCOMPARE(NumberInWords(1002, WordGender::Neuter), "одна тысяча два");
        QCOMPARE(NumberInWords(std::numeric_limits<qint64>::max()),
                 "девять квинтиллионов двести двадцать три квадриллиона триста семьдесят два триллиона "
                 "тридцать шесть миллиардов восемьсот пятьдесят четыре миллиона семьсот семьдесят пять "
                 "тысяч восемьсот семь");
    }
};

QTEST_APPLESS_MAIN(TestMoney)
#include "test_money.moc"
