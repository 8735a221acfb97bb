// The check digits of the requisites: real numbers of the tax service and the banks pass, a
// number one digit off does not, and empty values pass everywhere.
#include "requisites_check.h"

#include <QTest>

using namespace kovrel::requisites;

class TestRequisitesCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void taxNumbers() {
        for (const char* fine : {"7707083893", "7830002293", "500100732259", ""})
            QVERIFY2(InnProblem(QString::fromLatin1(fine)).isEmpty(), fine);
        // A digit changed, or two swapped, and the check digits no longer fit.
        for (const char* wrong : {"7707083894", "7707083983", "500100732269", "500100732258"})
            QCOMPARE(
                InnProblem(QString::fromLatin1(wrong)),
                QStringLiteral("ИНН %1 неверен: не сходятся контрольные цифры.").arg(QLatin1String(wrong)));
        for (const char* malformed : {"770708389", "77070838931", "7707O83893", " 7707083893"})
            QVERIFY(InnProblem(QString::fromLatin1(malformed)).startsWith(QStringLiteral("ИНН должен")));
    }

    void reasonCodesAndBanks() {
        for (const char* fine : {"770701001", "7701AB001", ""})
            QVERIFY2(KppProblem(QString::fromLatin1(fine)).isEmpty(), fine);
        for (const char* wrong : {"77070100", "7701ab001", "77A701001", "7707010011"})
            QVERIFY2(!KppProblem(QString::fromLatin1(wrong)).isEmpty(), wrong);
        QVERIFY(BikProblem(QStringLiteral("044525225")).isEmpty());
        QVERIFY(!BikProblem(QStringLiteral("04452522А")).isEmpty());
        QVERIFY(
            AccountProblem(QStringLiteral("30101810400000000225"), QStringLiteral("Корр.счет")).isEmpty());
        QCOMPARE(AccountProblem(QStringLiteral("301018104000000002250"), QStringLiteral("Корр.счет")),
                 QStringLiteral("Корр.счет должен состоять из 20 цифр."));
    }

    // The key (the 9th digit) follows from the last three digits of the БИК and the account's
    // other digits; the same account fits one bank and not another.
    void settlementAccountKey() {
        QVERIFY(SettlementKeyProblem(QStringLiteral("40702810200000000001"), QStringLiteral("044525225"))
                    .isEmpty());
        QVERIFY(!SettlementKeyProblem(QStringLiteral("40702810200000000001"), QStringLiteral("044525226"))
                     .isEmpty());
        QCOMPARE(SettlementKeyProblem(QStringLiteral("40702810300000000001"), QStringLiteral("044525225")),
                 QStringLiteral("Расчетный счет 40702810300000000001 не соответствует БИК 044525225: не "
                                "сходится контрольный разряд."));
        // Without a well-formed pair there is no key to check: the formats say what is wrong.
        QVERIFY(SettlementKeyProblem(QStringLiteral("4070281030000000000"), QStringLiteral("044525225"))
                    .isEmpty());
        QVERIFY(SettlementKeyProblem(QStringLiteral("40702810300000000001"), QString()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRequisitesCheck)
#include "test_requisites_check.moc"
