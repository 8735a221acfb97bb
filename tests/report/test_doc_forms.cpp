// The goods documents' print forms, prepared from print data made in memory: which texts in
// which order, the money formats, the columns that add up, the editions by date, the parties,
// the pages the lines and totals fall on. The golden dumps pin the whole layout of each form.
#include "date_time.h"
#include "doc_forms.h"
#include "golden_dump.h"
#include "grid_data_sources.h"
#include "money.h"
#include "prepared_table.h"
#include "rec_klient.h"
#include "report_engine.h"
#include "report_forms.h"
#include "report_grids.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <numeric>
#include <vector>

namespace {

TRecBank organization() {
    TRecBank b;
    b.ID = kOrganizationID;
    b.Name = QStringLiteral("ООО «Ромашка»");
    b.Adres = QStringLiteral("125009, г. Москва, ул. Тверская, д. 1");
    b.Inn = QStringLiteral("7701234567");
    b.Kpp = QStringLiteral("770101001");
    b.BName = QStringLiteral("ПАО Сбербанк");
    b.Bik = QStringLiteral("044525225");
    b.Rs = QStringLiteral("40702810938000000001");
    b.Ks = QStringLiteral("30101810400000000225");
    b.Okpo = QStringLiteral("12345678");
    b.Okpd = QStringLiteral("46.39");
    b.Dir = QStringLiteral("Иванов И. И.");
    b.GBuh = QStringLiteral("Петрова П. П.");
    return b;
}

TRecBank buyer() {
    TRecBank b;
    b.ID = 7;
    b.Name = QStringLiteral("ООО «Лютик»");
    b.Adres = QStringLiteral("190000, г. Санкт-Петербург, Невский пр., д. 2");
    b.Inn = QStringLiteral("7812345678");
    b.Kpp = QStringLiteral("781201001");
    b.BName = QStringLiteral("Банк ВТБ (ПАО)");
    b.Bik = QStringLiteral("044525187");
    b.Rs = QStringLiteral("40702810900000000002");
    b.Ks = QStringLiteral("30101810700000000187");
    b.Okpo = QStringLiteral("87654321");
    b.Okpd = QStringLiteral("47.11");
    return b;
}

TRecDocItem line(const QString& name, double kol, double price, double nds, double pack = 1) {
    TRecDocItem l;
    l.Name = name;
    l.Kol = kol;
    l.CenR = price;
    l.CenZ = price / 2;
    l.ProcNds = nds;
    l.Pack = pack;
    return l;
}

// A sole trader as a seller: twelve digits of ИНН, the ОГРНИП and its date in the ОГРН field.
TRecBank soleTrader() {
    TRecBank b = organization();
    b.Name = QStringLiteral("ИП Петров Иван Сергеевич");
    b.Inn = QStringLiteral("771234567890");
    b.Kpp = QStringLiteral("770101001"); // typed by mistake: a sole trader has none
    b.Ogrn = QStringLiteral("312774600012345 от 12.03.2012");
    b.Dir = QStringLiteral("Петров И. С.");
    b.GBuh.clear();
    return b;
}

// A document of any kind between the store "Основной склад" and the buyer or supplier
// "Лютик" (a transfer: to "Магазин на Ленина"), with its lines and requisites.
struct Document {
    TRecDoc rec;
    std::vector<TRecDocItem> lines;
    TRecBank org = organization();
    TRecBank kl = buyer();
    bool requisites = true;   // both parties' requisites were read
    bool klRequisites = true; // the buyer has requisites

    Document() {
        rec.ID = 15;
        rec.DocDate = kovrel::EncodeDate(2024, 3, 1);
        rec.StoreName = rec.StoreNameI = QStringLiteral("Основной склад");
        rec.KlientName = QStringLiteral("Лютик");
        rec.StoreNameP = QStringLiteral("Магазин на Ленина");
        rec.Prim = QStringLiteral("доставка до 12:00");
        lines = {line(QStringLiteral("Кофе молотый 250 г"), 3, 120, 20, 6),
                 line(QStringLiteral("Хлеб ржаной"), 10, 45.5, 0),
                 line(QStringLiteral("Сахар-песок 1 кг"), 2.5, 1250, 10, 10)};
    }
    explicit Document(int count)
        : Document() {
        lines.clear();
        for (int i = 1; i <= count; ++i)
            lines.push_back(line(QStringLiteral("Товар %1").arg(i), i, 10, 20));
    }

    TDocPrintData data(const TGoodsDocKind& kind) const {
        std::vector<const TRecDocItem*> items;
        for (const TRecDocItem& l : lines)
            items.push_back(&l);
        return TDocPrintData(kind, rec, items, requisites ? &org : nullptr,
                             requisites && klRequisites ? &kl : nullptr);
    }
};

// The weighed-goods sale: 0,333 × 12,34; 1,5 × 0,03; 3 × 0,05; 1 × 0,75 at the given rates.
Document weighedSale(QDate date, const QList<double>& rates) {
    Document doc;
    doc.rec.DocDate = kovrel::EncodeDate(date.year(), date.month(), date.day());
    doc.lines = {line(QStringLiteral("Сыр весовой"), 0.333, 12.34, rates[0]),
                 line(QStringLiteral("Орехи"), 1.5, 0.03, rates[1]),
                 line(QStringLiteral("Скрепки"), 3, 0.05, rates[2]),
                 line(QStringLiteral("Ручка"), 1, 0.75, rates[3])};
    return doc;
}

qint64 total(const QList<qint64>& values) {
    return std::accumulate(values.begin(), values.end(), qint64(0));
}

PreparedReport print(const QString& form, const TDocPrintData& data) {
    const PrepareResult result = DocForms::prepare(form, data);
    if (!result) qFatal("%s", qPrintable(result.error));
    return *result.report;
}

// Every text of the report, its lines joined by blanks, page by page in the order laid out.
QStringList texts(const PreparedReport& r) {
    QStringList out;
    for (const PreparedPage& page : r.pages)
        for (const PreparedText& t : page.texts)
            out << t.lines.join(QLatin1Char(' '));
    return out;
}

// Each expected text, "|" between them and "~" for a no-break space, appears whole as one text
// of the report, after the one before it.
void expectInOrder(const PreparedReport& r, const QString& expected) {
    const QStringList all = texts(r);
    qsizetype at = 0;
    for (QString e : expected.split(QLatin1Char('|'))) {
        e.replace(QLatin1Char('~'), QChar(0x00A0));
        const qsizetype found = all.indexOf(e, at);
        QVERIFY2(found >= 0, qPrintable(QStringLiteral("%1: \"%2\" not found after text %3 (\"%4\")")
                                            .arg(r.name, e)
                                            .arg(at)
                                            .arg(at > 0 ? all[at - 1] : QString())));
        at = found + 1;
    }
}

int pageOf(const PreparedReport& r, const QString& text) {
    for (int p = 0; p < r.pages.size(); ++p)
        if (r.pageLines(p).contains(text)) return p + 1;
    return 0;
}

// The text printed in the framed cells under the frame that holds `caption`.
QStringList under(const PreparedPage& page, const QString& caption) {
    QRectF column;
    for (const PreparedText& t : page.texts)
        if (t.lines.join(QLatin1Char(' ')) == caption)
            for (const PreparedFrame& f : page.frames)
                if (f.rect.contains(t.rect.center())) column = f.rect;
    QStringList below;
    for (const PreparedText& t : page.texts)
        if (t.rect.top() >= column.bottom() - 0.01 && t.rect.center().x() > column.left() &&
            t.rect.center().x() < column.right())
            below << t.lines.join(QLatin1Char(' '));
    return below;
}

} // namespace

class TestDocForms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The forms are read on Russian systems; they print the same on any other.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void simpleFormsNameThePartiesByKind() {
        const Document doc;
        const PreparedReport r = print(QStringLiteral("FRDoc1"), doc.data(NklKind()));
        QCOMPARE(r.caption(), QStringLiteral("Накладная № 15 от 01.03.2024"));
        expectInOrder(
            r, QStringLiteral("Накладная № 15 от 01.03.2024|Сдал Основной склад|Получил Лютик|"
                              "Примечание доставка до 12:00|№ п/п|Наименование, характеристика товара|"
                              "Кол-во|Цена|Сумма|1|Кофе молотый 250 г|3|120,00|360,00|3|Сахар-песок 1 кг|"
                              "2,5|1~250,00|3~125,00|Всего  |3~940,00|Отпустил|(подпись)|Получил|(подпись)"));
        expectInOrder(print(QStringLiteral("FRDoc1"), doc.data(PrhKind())),
                      QStringLiteral("Накладная № 15 от 01.03.2024|Сдал Лютик|Получил Основной склад|60,00"));
        const PreparedReport order = print(QStringLiteral("FRDoc2"), doc.data(InvoiceKind()));
        QCOMPARE(order.caption(), QStringLiteral("Заказ № 15 от 01.03.2024"));
        expectInOrder(order,
                      QStringLiteral("Заказ № 15 от 01.03.2024|Сдал Основной склад|Получил Лютик|Упак.|"
                                     "Кол-во упак.|Кофе молотый 250 г|3|6|0,5|120,00|360,00"));
        expectInOrder(print(QStringLiteral("FRDoc1"), doc.data(VnkKind())),
                      QStringLiteral("Сдал Основной склад|Получил Магазин на Ленина"));
    }

    // Packs and pack counts print at most three decimals, never the double's fifteen digits.
    void packsHaveAtMostThreeDecimals() {
        Document doc;
        doc.lines = {line(QStringLiteral("Вода 0,5 л"), 1, 35, 22, 24)};
        expectInOrder(print(QStringLiteral("FRDoc2"), doc.data(NklKind())),
                      QStringLiteral("Вода 0,5 л|1|24|0,042|35,00|35,00"));
    }

    // Edition 534 (a document of 01.03.2024): the header lines with their numbers, the columns
    // 1 to 13 with a dash wherever a line has nothing to say, "без НДС" in the rate and the tax
    // columns of a line without VAT, the totals row, the signatures.
    void vatInvoice() {
        const PreparedReport r = print(QStringLiteral("FRDocSF"), Document().data(NklKind()));
        QCOMPARE(r.pages.size(), 1);
        QCOMPARE(r.pages[0].size, QSizeF(297, 210));
        QCOMPARE(r.caption(), QStringLiteral("Счет-фактура № 15 от 01.03.2024"));
        expectInOrder(
            r,
            QStringLiteral(
                "Приложение № 1 к постановлению Правительства Российской Федерации от 26 декабря 2011 г. № "
                "1137 "
                "(в редакции постановления Правительства Российской Федерации от 2 апреля 2021 г. № 534)|"
                "СЧЕТ-ФАКТУРА № 15 от 01.03.2024|(1)|ИСПРАВЛЕНИЕ № --- от ---|(1а)|"
                "Продавец: ООО «Ромашка»|(2)|Адрес: 125009, г. Москва, ул. Тверская, д. 1|(2а)|"
                "ИНН/КПП продавца: 7701234567/770101001|(2б)|"
                "Грузоотправитель и его адрес: ООО «Ромашка», 125009, г. Москва, ул. Тверская, д. 1|(3)|"
                "Грузополучатель и его адрес: ООО «Лютик», 190000, г. Санкт-Петербург, Невский пр., д. 2|(4)|"
                "К платежно-расчетному документу № --- от ---|(5)|"
                "Документ об отгрузке № п/п 1 - 3 № 15 от 01.03.2024|(5а)|Покупатель: ООО «Лютик»|(6)|"
                "Адрес: 190000, г. Санкт-Петербург, Невский пр., д. 2|(6а)|"
                "ИНН/КПП покупателя: 7812345678/781201001|(6б)|"
                "Валюта: наименование, код: Российский рубль, 643|(7)|"
                "Идентификатор государственного контракта, договора (соглашения) (при наличии): -|(8)|"
                "№ п/п|Наименование товара (описание выполненных работ, оказанных услуг), имущественного "
                "права|"
                "Стоимость товаров (работ, услуг), имущественных прав без налога - всего|"
                "Регистрационный номер декларации на товары или регистрационный номер партии товара, "
                "подлежащего прослеживаемости|"
                "Количество товара, подлежащего прослеживаемости, в количественной единице измерения товара, "
                "используемой в целях осуществления прослеживаемости|"
                "1|1а|1б|2|2а|3|4|5|6|7|8|9|10|10а|11|12|12а|13|"
                // price 120.00 with VAT at 20 %, 3 units
                "1|Кофе молотый 250 г|-|-|-|3|100,00|300,00|без акциза|20%|60,00|360,00|-|-|-|-|-|-|"
                "2|Хлеб ржаной|-|-|-|10|45,50|455,00|без акциза|без НДС|без НДС|455,00|-|-|-|-|-|-|"
                "3|Сахар-песок 1 кг|-|-|-|2,5|1~136,36|2~840,91|без акциза|10%|284,09|3~125,00|-|-|-|-|-|-|"
                "Всего к оплате (9)|3~595,91|Х|344,09|3~940,00|"
                "Руководитель организации или иное уполномоченное лицо|(подпись)|Иванов И. И.|(ф.и.о.)|"
                "Главный бухгалтер или иное уполномоченное лицо|(подпись)|Петрова П. П.|(ф.и.о.)|"
                "Индивидуальный предприниматель или иное уполномоченное лицо|(подпись)|(ф.и.о.)|"
                "(реквизиты свидетельства о государственной регистрации индивидуального предпринимателя)|"
                "Примечание. 1. Первый экземпляр счета-фактуры, составленного на бумажном носителе, - "
                "покупателю, второй экземпляр - продавцу. 2. При составлении организацией счета-фактуры в "
                "электронном виде показатель \"Главный бухгалтер (подпись) (ф.и.о.)\" не формируется.|"
                "Страница 1 из 1"));
        QVERIFY(!r.pageLines(0).contains(QStringLiteral("14")));
    }

    // A document prints the edition in force on its date: 534 until 30.09.2024, 1096 from
    // 01.10.2024 (column 14, the shipping document by name), 26 from 01.04.2026 (line (5б), the
    // sole trader's ОГРНИП).
    void vatInvoiceEditionByDate_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("amendedBy");
        QTest::addColumn<bool>("column14");
        QTest::addColumn<bool>("advances");
        QTest::newRow("30.09.2024") << QDate(2024, 9, 30) << "от 2 апреля 2021 г. № 534)" << false << false;
        QTest::newRow("01.10.2024") << QDate(2024, 10, 1) << "от 16 августа 2024 г. № 1096)" << true << false;
        QTest::newRow("31.03.2026") << QDate(2026, 3, 31) << "от 16 августа 2024 г. № 1096)" << true << false;
        QTest::newRow("01.04.2026") << QDate(2026, 4, 1) << "от 23 января 2026 г. № 26)" << true << true;
    }
    void vatInvoiceEditionByDate() {
        QFETCH(QDate, date);
        QFETCH(QString, amendedBy);
        QFETCH(bool, column14);
        QFETCH(bool, advances);
        Document doc;
        doc.rec.DocDate = kovrel::EncodeDate(date.year(), date.month(), date.day());
        const PreparedReport r = print(QStringLiteral("FRDocSF"), doc.data(NklKind()));
        const QStringList lines = r.pageLines(0);
        QCOMPARE(lines.filter(QStringLiteral("(в редакции постановления")),
                 QStringList{"(в редакции постановления Правительства Российской Федерации " + amendedBy});
        QCOMPARE(lines.contains(QStringLiteral("(5б)")), advances);
        QCOMPARE(ColumnTexts(r.pages[0], QStringLiteral("14"), QStringLiteral("№ п/п")).size() == 3,
                 column14);
        const QString shipped = date < QDate(2024, 10, 1)
                                    ? QStringLiteral("Документ об отгрузке № п/п 1 - 3 № 15 от %1")
                                    : QStringLiteral("Документ об отгрузке: накладная, № 15 от %1");
        QVERIFY(lines.contains(shipped.arg(date.toString(QStringLiteral("dd.MM.yyyy")))));
        QCOMPARE(
            r.pageLines(0).filter(QStringLiteral("основной государственный регистрационный номер")).size(),
            advances ? 1 : 0);
    }

    // The weighed goods of a shop: every line's sum, VAT and sum without VAT rounded to the
    // kopeck, so that on each paper every column adds up to its total and, per line and in
    // the totals, without VAT + VAT = with VAT.
    void columnsAddUp_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QList<double>>("rates");
        QTest::addColumn<qint64>("vat");
        QTest::newRow("2026 at 22 %") << QDate(2026, 12, 9) << QList<double>{22, 22, 22, 22} << qint64(92);
        QTest::newRow("2026 at 10 %") << QDate(2026, 12, 9) << QList<double>{10, 10, 10, 10} << qint64(45);
        QTest::newRow("2026 at 22 % and 10 %")
            << QDate(2026, 12, 9) << QList<double>{22, 22, 10, 10} << qint64(83);
        // 4,11 × 20 / 120 = 0,685 and 0,75 × 20 / 120 = 0,125 go up; the total's own VAT would
        // be 0,84.
        QTest::newRow("2025 at 20 %") << QDate(2025, 6, 16) << QList<double>{20, 20, 20, 20} << qint64(86);
    }
    void columnsAddUp() {
        QFETCH(QDate, date);
        QFETCH(QList<double>, rates);
        QFETCH(qint64, vat);
        const Document doc = weighedSale(date, rates);
        const QList<qint64> sums{411, 5, 15, 75};

        const PreparedPage sf = print(QStringLiteral("FRDocSF"), doc.data(NklKind())).pages[0];
        const QList<qint64> without = Amounts(ColumnTexts(sf, QStringLiteral("5"), QStringLiteral("№ п/п")));
        const QList<qint64> tax = Amounts(ColumnTexts(sf, QStringLiteral("8"), QStringLiteral("№ п/п")));
        const QList<qint64> with = Amounts(ColumnTexts(sf, QStringLiteral("9"), QStringLiteral("№ п/п")));
        QCOMPARE(with, sums + QList<qint64>{506});
        QCOMPARE(tax.last(), vat);
        for (const QList<qint64>& c : {without, tax, with}) {
            QCOMPARE(c.size(), 5);
            QCOMPARE(total(c.mid(0, 4)), c.last());
        }
        for (int i = 0; i < 5; ++i)
            QCOMPARE(without[i] + tax[i], with[i]);

        // TORG-12: the page's "Итого" and "Всего по накладной".
        const PreparedPage t12 = print(QStringLiteral("FRDocT12"), doc.data(NklKind())).pages[0];
        const QList<qint64> without12 =
            Amounts(ColumnTexts(t12, QStringLiteral("12"), QStringLiteral("Номер по порядку")));
        const QList<qint64> tax12 =
            Amounts(ColumnTexts(t12, QStringLiteral("14"), QStringLiteral("Номер по порядку")));
        const QList<qint64> with12 =
            Amounts(ColumnTexts(t12, QStringLiteral("15"), QStringLiteral("Номер по порядку")));
        QCOMPARE(with12, (sums + QList<qint64>{506, 506}));
        for (const QList<qint64>& c : {without12, tax12, with12}) {
            QCOMPARE(c.size(), 6);
            QCOMPARE(total(c.mid(0, 4)), c[4]);
            QCOMPARE(c[4], c[5]);
        }
        for (int i = 0; i < 6; ++i)
            QCOMPARE(without12[i] + tax12[i], with12[i]);
        QCOMPARE(tax12.last(), vat);
        QCOMPARE(ColumnTexts(t12, QStringLiteral("10"), QStringLiteral("Номер по порядку")),
                 (QStringList{"0,333", "1,5", "3", "1", "5,833", "5,833"}));

        // The invoice for payment: its lines, "Итого:", the VAT in it and "Всего к оплате:".
        const PreparedReport s = print(QStringLiteral("FRDocS"), doc.data(InvoiceKind()));
        const QList<qint64> paid =
            Amounts(ColumnTexts(s.pages[0], QStringLiteral("Сумма"), QStringLiteral("Сумма"), false));
        QCOMPARE(paid, (sums + QList<qint64>{506, vat, 506}));
        expectInOrder(s, QStringLiteral("Всего наименований 4, на сумму 5,06 руб.|Пять рублей 06 копеек"));
    }

    // TORG-12: the line count, the places and the total in words, the places as the packs
    // make them.
    void torg12() {
        Document doc;
        doc.lines = {line(QStringLiteral("Вода 1,5 л"), 12, 35, 22, 6),
                     line(QStringLiteral("Сок 1 л"), 30, 49, 22, 10),
                     line(QStringLiteral("Хлеб ржаной"), 10, 45.5, 0)};
        const PreparedReport r = print(QStringLiteral("FRDocT12"), doc.data(NklKind()));
        QCOMPARE(r.caption(), QStringLiteral("Товарная накладная № 15 от 01.03.2024"));
        const QString org =
            QStringLiteral("ООО «Ромашка», ИНН 7701234567, КПП 770101001, 125009, г. Москва, ул. Тверская, "
                           "д. 1, Банк ПАО Сбербанк, БИК 044525225, к/с 30101810400000000225, р/с "
                           "40702810938000000001|организация, адрес, номер телефона, банковские реквизиты");
        const QString kl =
            QStringLiteral("ООО «Лютик», ИНН 7812345678, КПП 781201001, 190000, г. Санкт-Петербург, Невский "
                           "пр., д. 2, Банк Банк ВТБ (ПАО), БИК 044525187, к/с 30101810700000000187, р/с "
                           "40702810900000000002|организация, адрес, номер телефона, банковские реквизиты");
        expectInOrder(
            r,
            QStringLiteral("Унифицированная форма № Торг-12 Утверждена постановлением Госкомстата России от "
                           "25.12.98 № 132|Коды|Форма по ОКУД|0330212|") +
                QStringLiteral("Грузоотправитель|%1|по ОКПО|12345678|Вид деятельности по ОКДП|47.11|"
                               "Грузополучатель|%2|по ОКПО|87654321|Поставщик|%1|по ОКПО|12345678|"
                               "Плательщик|%2|по ОКПО|87654321|")
                    .arg(org, kl) +
                QStringLiteral(
                    "Основание|Договор N      от |договор, заказ-наряд|номер|15|дата|01.03.2024|"
                    "Транспортная накладная   номер|15|дата|01.03.2024|Вид операции|Номер документа|"
                    "Дата составления|15|01.03.2024|ТОВАРНАЯ НАКЛАДНАЯ|Номер по порядку|Товар|"
                    "наименование, характеристика, сорт, артикул товара|Сумма с учетом НДС, руб. коп.|"
                    "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|"
                    "1|Вода 1,5 л|-|-|-|-|6|2|-|12|28,69|344,26|22%|75,74|420,00|"
                    "2|Сок 1 л|-|-|-|-|10|3|-|30|40,16|1~204,92|22%|265,08|1~470,00|"
                    "3|Хлеб ржаной|-|-|-|-|1|10|-|10|45,50|455,00|без НДС|0,00|455,00|"
                    "Итого|15|Х|52|Х|2~004,18|Х|340,82|2~345,00|"
                    "Всего по накладной|15|Х|52|Х|2~004,18|Х|340,82|2~345,00|"
                    "Товарная накладная имеет приложение на|листах|и содержит|три|прописью|"
                    "порядковых номеров записей|Масса груза (нетто)|Всего мест|пятнадцать|прописью|"
                    "Масса груза (брутто)|Приложение (паспорта, сертификаты, и т. п.) на|листах|"
                    "По доверенности №|от|Всего отпущено на сумму|"
                    "Две тысячи триста сорок пять рублей 00 копеек|прописью|Выданной|Отпуск разрешил|"
                    "Иванов И. И.|Груз принял|Главный (старший) бухгалтер|Петрова П. П.|"
                    "Груз получил грузополучатель|Отпуск груза произвел|М. П.|01.03.2024|М. П.|"
                    "Страница 1 из 1"));
        // Places that are no whole number are left blank in words: nobody ships half a box.
        doc.lines[0].Kol = 9;
        expectInOrder(print(QStringLiteral("FRDocT12"), doc.data(NklKind())),
                      QStringLiteral("Итого|14,5|Х|49|Всего мест|прописью"));
    }

    void torg13() {
        const PreparedReport r = print(QStringLiteral("FRDocT13"), Document().data(VnkKind()));
        QCOMPARE(r.pages[0].size, QSizeF(210, 297));
        expectInOrder(
            r, QStringLiteral(
                   "Унифицированная форма № ТОРГ-13 Утверждена постановлением госкомстата России от "
                   "25.12.98 №132|Код|Форма по ОКУД|0330213|по ОКПО|ООО «Ромашка»|(организация)|"
                   "Вид деятельности по ОКДП|Вид операции|Номер документа|Дата составления|15|01.03.2024|"
                   "НАКЛАДНАЯ|НА ВНУТРЕННЕЕ ПЕРЕМЕЩЕНИЕ, ПЕРЕДАЧУ ТОВАРОВ, ТАРЫ|Отправитель|Получатель|"
                   "Корреспондирующий счёт|структурное подразделение|вид деятельности|"
                   "структурное подразделение|вид деятельности|счёт, субсчёт|код аналитического учёта|"
                   "Основной склад|Магазин на Ленина|№|Товар, тара|наименование, характеристика|Код|"
                   "Сорт|Единица измерения|наименование|код по ОКЕИ|Отпущено|Количество|Масса|"
                   "в одном месте|мест, штук|брутто|нетто|По учётным ценам|цена, руб. коп.|"
                   "сумма, руб. коп.|1|2|3|4|5|6|7|8|9|10|11|"
                   "1|Кофе молотый 250 г|-|-|3,000|120,00|360,00|2|Хлеб ржаной|-|-|10,000|45,50|455,00|"
                   "3|Сахар-песок 1 кг|-|-|2,500|1~250,00|3~125,00|Итого|15,500|3~940,00|"
                   "Отпустил|должность|подпись|расшифровка подписи|"
                   "товар и тару по количеству и надлежащему качеству|на сумму|"
                   "Получил|должность|подпись|расшифровка подписи"));
        // The stores stand in the structural unit column of their side.
        QCOMPARE(under(r.pages[0], QStringLiteral("Отправитель")).mid(2, 1), QStringList{"Основной склад"});
        QCOMPARE(under(r.pages[0], QStringLiteral("Получатель")).mid(2, 1), QStringList{"Магазин на Ленина"});
    }

    void invoiceForPayment() {
        const PreparedReport r = print(QStringLiteral("FRDocS"), Document().data(InvoiceKind()));
        QCOMPARE(r.pages[0].size, QSizeF(210, 297));
        QCOMPARE(r.caption(), QStringLiteral("Счет на оплату № 15 от 01.03.2024"));
        expectInOrder(
            r,
            QStringLiteral(
                "Внимание! Оплата данного счета означает согласие с условиями поставки товара. Уведомление "
                "об "
                "оплате обязательно, в противном случае не гарантируется наличие товара на складе. Товар "
                "отпускается по факту прихода денег на р/с Поставщика, самовывозом, при наличии доверенности "
                "и "
                "паспорта.|ПАО Сбербанк|Банк получателя|БИК|044525225|Сч. №|30101810400000000225|"
                "ИНН 7701234567|КПП 770101001|ООО «Ромашка»|Получатель|Сч. №|40702810938000000001|"
                "Счет на оплату № 15 от 01.03.2024|Поставщик:|"
                "ООО «Ромашка», ИНН 7701234567, КПП 770101001, 125009, г. Москва, ул. Тверская, д. 1, Банк "
                "ПАО "
                "Сбербанк, БИК 044525225, к/с 30101810400000000225, р/с 40702810938000000001|Покупатель:|"
                "ООО «Лютик», ИНН 7812345678, КПП 781201001, 190000, г. Санкт-Петербург, Невский пр., д. 2, "
                "Банк Банк ВТБ (ПАО), БИК 044525187, к/с 30101810700000000187, р/с 40702810900000000002|"
                "Примечание:|доставка до 12:00|№|Товары (работы, услуги)|Кол-во|Ед. изм.|Цена|Сумма|"
                "1|Кофе молотый 250 г|3|-|120,00|360,00|2|Хлеб ржаной|10|-|45,50|455,00|"
                "3|Сахар-песок 1 кг|2,5|-|1~250,00|3~125,00|Итого:|3~940,00|В том числе НДС:|344,09|"
                "Всего к оплате:|3~940,00|Всего наименований 3, на сумму 3~940,00 руб.|"
                "Три тысячи девятьсот сорок рублей 00 копеек|"
                "Руководитель|Иванов И. И.|Бухгалтер|Петрова П. П."));
        QCOMPARE(r.pages.size(), 1);
        QVERIFY(r.pageLines(0).filter(QStringLiteral("Страница")).isEmpty());

        // No line carries VAT: the invoice says so. Over a page, the pages are numbered.
        Document plain(60);
        for (TRecDocItem& l : plain.lines)
            l.ProcNds = 0;
        const PreparedReport many = print(QStringLiteral("FRDocS"), plain.data(InvoiceKind()));
        QVERIFY(many.pages.size() >= 2);
        expectInOrder(many, QStringLiteral("Итого:|18~300,00|Без налога (НДС)|-|Всего к оплате:|18~300,00"));
        for (int p = 0; p < many.pages.size(); ++p)
            QVERIFY(many.pageLines(p).contains(
                QStringLiteral("Страница %1 из %2").arg(p + 1).arg(many.pages.size())));
    }

    // Paper prints one number format on every system.
    void numbersAreTheSameInAnyLocale() {
        QLocale::setDefault(QLocale::c());
        const PreparedReport r = print(QStringLiteral("FRDocSF"), Document().data(NklKind()));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        expectInOrder(
            r, QStringLiteral("Сахар-песок 1 кг|-|-|-|2,5|1~136,36|2~840,91|без акциза|10%|284,09|3~125,00"));
    }

    // A sole trader signs in its own block, with the ОГРНИП as typed and the caption of the
    // edition in force; the organization's signatures show dashes; no КПП anywhere.
    void soleTraderAsSeller() {
        Document doc;
        doc.org = soleTrader();
        doc.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        const PreparedReport r = print(QStringLiteral("FRDocSF"), doc.data(NklKind()));
        expectInOrder(
            r, QStringLiteral(
                   "Продавец: ИП Петров Иван Сергеевич|(2)|Адрес: 125009, г. Москва, ул. Тверская, д. 1|"
                   "(2а)|ИНН/КПП продавца: 771234567890|(2б)|"
                   "Руководитель организации или иное уполномоченное лицо|(подпись)|-|(ф.и.о.)|"
                   "Главный бухгалтер или иное уполномоченное лицо|(подпись)|-|(ф.и.о.)|"
                   "Индивидуальный предприниматель или иное уполномоченное лицо|(подпись)|"
                   "Петров И. С.|(ф.и.о.)|312774600012345 от 12.03.2012|"
                   "(основной государственный регистрационный номер индивидуального "
                   "предпринимателя и дата присвоения такого номера)"));
        expectInOrder(
            print(QStringLiteral("FRDocS"), doc.data(InvoiceKind())),
            QStringLiteral("Поставщик:|ИП Петров Иван Сергеевич, ИНН 771234567890, 125009, г. Москва, "
                           "ул. Тверская, д. 1, Банк ПАО Сбербанк, БИК 044525225, к/с "
                           "30101810400000000225, р/с 40702810938000000001"));
    }

    // A buyer without requisites is the counterparty named on the document, with dashes for
    // what is unknown; requisites that could not be read are dashes too.
    void partiesWithoutRequisites() {
        Document doc;
        doc.klRequisites = false;
        expectInOrder(
            print(QStringLiteral("FRDocSF"), doc.data(NklKind())),
            QStringLiteral("Грузополучатель и его адрес: Лютик|(4)|Покупатель: Лютик|(6)|Адрес: -|(6а)|"
                           "ИНН/КПП покупателя: -|(6б)"));
        expectInOrder(print(QStringLiteral("FRDocT12"), doc.data(NklKind())),
                      QStringLiteral("Грузополучатель|Лютик|организация, адрес, номер телефона, банковские "
                                     "реквизиты|по ОКПО|-|Поставщик"));
        expectInOrder(print(QStringLiteral("FRDocS"), doc.data(InvoiceKind())),
                      QStringLiteral("Покупатель:|Лютик|Примечание:"));
        doc.requisites = false;
        expectInOrder(print(QStringLiteral("FRDocSF"), doc.data(NklKind())),
                      QStringLiteral("Продавец: -|(2)|Адрес: -|(2а)|ИНН/КПП продавца: -|(2б)|"
                                     "Грузоотправитель и его адрес: -|(3)"));
        expectInOrder(print(QStringLiteral("FRDocS"), doc.data(InvoiceKind())),
                      QStringLiteral("-|Банк получателя|БИК|-|Сч. №|-|ИНН -|КПП -|-|Получатель"));
    }

    // A document without lines prints its heading, an empty table and zero totals, in words too.
    void documentWithoutLines() {
        Document doc;
        doc.lines.clear();
        for (const auto& [form, last, totals] :
             {std::tuple{"FRDocSF", "13", "Всего к оплате (9)"},
              std::tuple{"FRDocT12", "15", "Всего по накладной"}, std::tuple{"FRDoc2", "Сумма", "Всего  "}}) {
            const QStringList all = texts(print(QLatin1String(form), doc.data(NklKind())));
            QCOMPARE(all.value(all.indexOf(QString::fromUtf8(totals)) - 1), QString::fromUtf8(last));
        }
        expectInOrder(print(QStringLiteral("FRDocSF"), doc.data(NklKind())),
                      QStringLiteral("Документ об отгрузке № п/п 1 - 0 № 15 от 01.03.2024|"
                                     "Всего к оплате (9)|0,00|Х|0,00|0,00"));
        expectInOrder(print(QStringLiteral("FRDocT12"), doc.data(NklKind())),
                      QStringLiteral("Всего по накладной|0|Х|0|Х|0,00|Х|0,00|0,00|и содержит|ноль|"
                                     "Всего отпущено на сумму|Ноль рублей 00 копеек"));
        expectInOrder(print(QStringLiteral("FRDocS"), doc.data(InvoiceKind())),
                      QStringLiteral("Счет на оплату № 15 от 01.03.2024|Итого:|0,00|В том числе НДС:|0,00|"
                                     "Всего к оплате:|0,00|Всего наименований 0, на сумму 0,00 руб.|"
                                     "Ноль рублей 00 копеек"));
        expectInOrder(print(QStringLiteral("FRDocT13"), doc.data(VnkKind())),
                      QStringLiteral("Итого|0,000|0,00"));
    }

    // Nothing refuses to print because of one long text: a goods name of the longest the
    // service takes wraps and its line runs over pages; requisites of the longest wrap in
    // their lines; a fixed cell cuts with "…".
    void longTextsPrint() {
        Document doc;
        const QString name = QStringLiteral("Сырок глазированный ванильный ").repeated(67).left(2000);
        doc.lines[0].Name = name;
        doc.org.Name = QStringLiteral("ООО «Длинное имя» ").repeated(56).left(1000);
        doc.kl.Adres = QStringLiteral("г. Москва, улица Длинная, дом 1, ").repeated(31).left(1000);
        doc.rec.StoreName = doc.rec.StoreNameI = QStringLiteral("Склад ").repeated(100);
        const int words = static_cast<int>(name.count(QStringLiteral("глазированный")));
        for (const auto& [form, kind] : {std::pair{"FRDocSF", &NklKind()}, std::pair{"FRDocT12", &NklKind()},
                                         std::pair{"FRDocS", &InvoiceKind()}, std::pair{"FRDoc1", &NklKind()},
                                         std::pair{"FRDocT13", &VnkKind()}}) {
            const PrepareResult r = DocForms::prepare(QLatin1String(form), doc.data(*kind));
            QVERIFY2(r, qPrintable(r.error));
            // The name is printed whole, over as many lines and pages as it takes.
            int printed = 0;
            for (int p = 0; p < r.report->pages.size(); ++p)
                printed += static_cast<int>(
                    r.report->pageLines(p).join(QLatin1Char(' ')).count(QStringLiteral("глазированный")));
            QCOMPARE(printed, words);
        }
        // TORG-13's parties are fixed cells: the store's long name is cut, and says so.
        const PreparedReport t13 = print(QStringLiteral("FRDocT13"), doc.data(VnkKind()));
        QVERIFY(!t13.pageLines(0).filter(QRegularExpression(QStringLiteral("^Склад Склад.*…$"))).isEmpty());
    }

    // A form the kind does not print is refused, not printed empty.
    void formOfAnotherKind() {
        const PrepareResult r = DocForms::prepare(QStringLiteral("FRDocT13"), Document().data(NklKind()));
        QVERIFY(!r);
        QVERIFY(r.error.contains(QStringLiteral("FRDocT13")));
        QVERIFY(!DocForms::prepare(QStringLiteral("FRNothing"), Document().data(NklKind())));
    }

    // With as many lines as just fill the first page, the last one goes over with the totals
    // and signatures on the forms that keep them together, and stays behind on TORG-13.
    void lastLineStaysWithTotals_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("totals");
        QTest::addColumn<QString>("signature");
        QTest::addColumn<bool>("keeps");
        QTest::newRow("FRDoc1") << "FRDoc1"
                                << "nkl"
                                << "Всего  "
                                << "Отпустил" << true;
        QTest::newRow("FRDocSF") << "FRDocSF"
                                 << "nkl"
                                 << "Всего к оплате (9)"
                                 << "(ф.и.о.)" << true;
        QTest::newRow("FRDocUPD") << "FRDocUPD"
                                  << "nkl"
                                  << "Всего к оплате (9)"
                                  << "[19]" << true;
        QTest::newRow("FRDocT12") << "FRDocT12"
                                  << "nkl"
                                  << "Всего по накладной"
                                  << "Отпуск разрешил" << true;
        QTest::newRow("FRDocT13") << "FRDocT13"
                                  << "vnk"
                                  << "Итого"
                                  << "Отпустил" << false;
        QTest::newRow("FRDocS") << "FRDocS"
                                << "invoice"
                                << "Итого:"
                                << "Руководитель" << false;
    }
    void lastLineStaysWithTotals() {
        QFETCH(QString, form);
        QFETCH(QString, kind);
        QFETCH(QString, totals);
        QFETCH(QString, signature);
        QFETCH(bool, keeps);
        // The fewest lines whose totals do not fit on the first page.
        for (int n = 1; n < 80; ++n) {
            const Document doc(n);
            const TDocPrintData data = doc.data(*FindGoodsDocKind(kind));
            const PreparedReport r = print(form, data);
            if (pageOf(r, totals) == 1) continue;
            const QString last = QStringLiteral("Товар %1").arg(n);
            QCOMPARE(pageOf(r, totals), 2);
            QCOMPARE(pageOf(r, signature), 2);
            QCOMPARE(pageOf(r, last), keeps ? 2 : 1);
            if (n > 1) QCOMPARE(pageOf(r, QStringLiteral("Товар %1").arg(n - 1)), 1);
            if (keeps) {
                // Without the rule the last line would have fitted.
                ReportTemplate loose = DocForms::makeTemplate(form, data);
                loose.keepLastWithSummary = false;
                const PrepareResult plain = ReportEngine(loose, DocForms::sources(form, data)).prepare();
                QCOMPARE(pageOf(*plain.report, last), 1);
            }
            return;
        }
        QFAIL("the totals never left the first page");
    }

    // TORG-12 over several pages: the headings open every page's table, each page's lines add
    // up to its "Итого", the pages' "Итого" to "Всего по накладной".
    void longTorg12RunsOverPages() {
        const PreparedReport r = print(QStringLiteral("FRDocT12"), Document(60).data(NklKind()));
        const int pages = static_cast<int>(r.pages.size());
        QVERIFY(pages >= 2);
        int lines = 0;
        qint64 pagesTotal = 0;
        for (int p = 0; p < pages; ++p) {
            const QStringList page = r.pageLines(p);
            QCOMPARE(page.last(), QStringLiteral("Страница %1 из %2").arg(p + 1).arg(pages));
            QCOMPARE(page.count(QStringLiteral("Номер по")), 1);
            QCOMPARE(page.count(QStringLiteral("Итого")), 1);
            QCOMPARE(pageOf(r, QStringLiteral("ТОВАРНАЯ НАКЛАДНАЯ")), 1);
            const int onPage =
                static_cast<int>(page.filter(QRegularExpression(QStringLiteral("^Товар \\d+$"))).size());
            lines += onPage;
            const QList<qint64> sums =
                Amounts(ColumnTexts(r.pages[p], QStringLiteral("15"), QStringLiteral("Номер по порядку")));
            QCOMPARE(total(sums.mid(0, onPage)), sums[onPage]);
            pagesTotal += sums[onPage];
            if (p == pages - 1) QCOMPARE(sums[onPage + 1], pagesTotal);
        }
        QCOMPARE(lines, 60);
        QCOMPARE(pagesTotal, qint64(60 * 61 / 2 * 1000));
        QCOMPARE(pageOf(r, QStringLiteral("Товар 60")), pages);
        QCOMPARE(pageOf(r, QStringLiteral("Отпуск разрешил")), pages);
    }

    // The paper УПД: the invoice of its date with the strip that names the document, its status
    // and its sheets, the column "Код товара/ работ, услуг" (А) before column 1, and the transfer
    // part [8]–[19], the seller's half filled in from the requisites.
    void upd() {
        Document doc;
        doc.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        const PreparedReport r = print(QStringLiteral("FRDocUPD"), doc.data(NklKind()));
        QCOMPARE(r.caption(), QStringLiteral("УПД № 15 от 09.12.2026"));
        QCOMPARE(r.pages.size(), 1);
        QCOMPARE(r.pages[0].size, QSizeF(297, 210));
        expectInOrder(
            r,
            QStringLiteral(
                "СЧЕТ-ФАКТУРА № 15 от 09.12.2026|(1)|ИСПРАВЛЕНИЕ № --- от ---|(1а)|"
                "Продавец: ООО «Ромашка»|(2)|Документ об отгрузке: накладная, № 15 от 09.12.2026|(5а)|(5б)|"
                "Идентификатор государственного контракта, договора (соглашения) (при наличии): -|(8)|"
                "Универсальный передаточный документ|Статус:|1|"
                "1 - счет-фактура и передаточный документ (акт) 2 - передаточный документ (акт)|"
                "Код товара/ работ, услуг|№ п/п|"
                "А|1|1а|1б|2|2а|3|4|5|6|7|8|9|10|10а|11|12|12а|13|14|"
                "-|1|Кофе молотый 250 г|-|-|-|3|100,00|300,00|без акциза|20%|60,00|360,00|-|-|-|-|-|-|-|"
                "-|2|Хлеб ржаной|-|-|-|10|45,50|455,00|без акциза|без НДС|без НДС|455,00|"
                "-|3|Сахар-песок 1 кг|-|-|-|2,5|1~136,36|2~840,91|без акциза|10%|284,09|3~125,00|"
                "Всего к оплате (9)|3~595,91|Х|344,09|3~940,00|"
                "Руководитель организации или иное уполномоченное лицо|(подпись)|Иванов И. И.|(ф.и.о.)|"
                "Главный бухгалтер или иное уполномоченное лицо|(подпись)|Петрова П. П.|(ф.и.о.)|"
                "Индивидуальный предприниматель или иное уполномоченное лицо|(подпись)|(ф.и.о.)|"
                "Документ составлен на|1|листах|"
                "Основание передачи (сдачи) / получения (приемки)|Без документа-основания|"
                "(договор; доверенность и др.)|[8]|Данные о транспортировке и грузе|"
                "(транспортная накладная, поручение экспедитору, экспедиторская / складская расписка и др. / "
                "масса нетто/ брутто груза, если не приведены ссылки на транспортные документы, содержащие "
                "эти сведения)|[9]|"
                "Товар (груз) передал / услуги, результаты работ, права сдал|Руководитель|(должность)|"
                "(подпись)|Иванов И. И.|(ф.и.о.)|[10]|Дата отгрузки, передачи (сдачи)|09.12.2026|[11]|"
                "Иные сведения об отгрузке, передаче|(ссылки на неотъемлемые приложения, сопутствующие "
                "документы, иные документы и т.п.)|[12]|"
                "Ответственный за правильность оформления факта хозяйственной жизни|Главный бухгалтер|"
                "(должность)|(подпись)|Петрова П. П.|(ф.и.о.)|[13]|"
                "Наименование экономического субъекта – составителя документа (в т.ч. комиссионера / агента)|"
                "ООО «Ромашка», ИНН/КПП 7701234567/770101001|(может не заполняться при проставлении печати в "
                "М.П., может быть указан ИНН / КПП)|[14]|М.П.|"
                "Товар (груз) получил / услуги, результаты работ, права принял|(должность)|(подпись)|"
                "(ф.и.о.)|[15]|Дата получения (приемки)|«|»|20|года|[16]|"
                "Иные сведения о получении, приемке|(информация о наличии/отсутствии претензии; ссылки на "
                "неотъемлемые приложения, и другие документы и т.п.)|[17]|"
                "Ответственный за правильность оформления факта хозяйственной жизни|(должность)|(подпись)|"
                "(ф.и.о.)|[18]|Наименование экономического субъекта – составителя документа|"
                "ООО «Лютик», ИНН/КПП 7812345678/781201001|(может не заполняться при проставлении печати в "
                "М.П., может быть указан ИНН / КПП)|[19]|М.П.|Страница 1 из 1"));
        // The invoice's note on its copies is not the УПД's.
        QVERIFY(r.pageLines(0).filter(QStringLiteral("Примечание")).isEmpty());
    }

    // Status 1 when a line carries VAT, 2 when none does, unless asked for; a sole trader hands
    // the goods over and answers for the paper himself; an organization without a chief
    // accountant answers by its head.
    void updStatusAndPeople() {
        Document doc;
        doc.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        const auto status = [](const PreparedReport& r) {
            const QStringList all = texts(r);
            return all.value(all.indexOf(QStringLiteral("Статус:")) + 1);
        };
        QCOMPARE(status(print(QStringLiteral("FRDocUPD"), doc.data(NklKind()))), QStringLiteral("1"));
        for (TRecDocItem& l : doc.lines)
            l.ProcNds = 0;
        TDocPrintData data = doc.data(NklKind());
        QCOMPARE(status(print(QStringLiteral("FRDocUPD"), data)), QStringLiteral("2"));
        data.SetUpdStatus(1);
        QCOMPARE(status(print(QStringLiteral("FRDocUPD"), data)), QStringLiteral("1"));

        doc.org = soleTrader();
        expectInOrder(print(QStringLiteral("FRDocUPD"), doc.data(NklKind())),
                      QStringLiteral("Статус:|2|Индивидуальный предприниматель|(должность)|(подпись)|"
                                     "Петров И. С.|(ф.и.о.)|[10]|Индивидуальный предприниматель|(должность)|"
                                     "(подпись)|Петров И. С.|(ф.и.о.)|[13]|"
                                     "ИП Петров Иван Сергеевич, ИНН 771234567890"));
        doc.org = organization();
        doc.org.GBuh.clear();
        doc.klRequisites = false;
        expectInOrder(print(QStringLiteral("FRDocUPD"), doc.data(NklKind())),
                      QStringLiteral("Ответственный за правильность оформления факта хозяйственной жизни|"
                                     "Руководитель|(должность)|(подпись)|Иванов И. И.|(ф.и.о.)|[13]|"
                                     "Наименование экономического субъекта – составителя документа|Лютик"));
    }

    // A kit's component lines carry no price: the УПД lists what was sold, as its e-document
    // does, while the invoice keeps printing the components.
    void updLeavesKitComponentsOut() {
        Document doc;
        doc.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        TRecDocItem kit = line(QStringLiteral("Набор «Завтрак»"), 2, 399, 22);
        kit.FlagNorm = 1;
        kit.IdRow = 40;
        TRecDocItem part = line(QStringLiteral("Джем"), 2, 0, 22);
        part.IdRow = 40;
        doc.lines = {kit, part, line(QStringLiteral("Хлеб ржаной"), 1, 45.5, 0)};
        const PreparedReport r = print(QStringLiteral("FRDocUPD"), doc.data(NklKind()));
        QVERIFY(!texts(r).contains(QStringLiteral("Джем")));
        QCOMPARE(ColumnTexts(r.pages[0], QStringLiteral("1"), QStringLiteral("№ п/п")).mid(0, 2),
                 (QStringList{"1", "2"}));
        QCOMPARE(Amounts(ColumnTexts(r.pages[0], QStringLiteral("9"), QStringLiteral("№ п/п"))),
                 (QList<qint64>{79800, 4550, 84350}));
        QVERIFY(
            texts(print(QStringLiteral("FRDocSF"), doc.data(NklKind()))).contains(QStringLiteral("Джем")));
    }

    // A line's unit of measure prints as its ОКЕИ code and symbol on every paper that has a
    // column for it, a dash on a line without one.
    void unitsOnEveryPaper_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("codeColumn"); // empty: the form prints no code
        QTest::addColumn<QString>("nameColumn");
        QTest::newRow("VAT invoice") << "FRDocSF"
                                     << "nkl"
                                     << "№ п/п"
                                     << "2"
                                     << "2а";
        QTest::newRow("УПД") << "FRDocUPD"
                             << "nkl"
                             << "№ п/п"
                             << "2"
                             << "2а";
        QTest::newRow("TORG-12") << "FRDocT12"
                                 << "nkl"
                                 << "Номер по порядку"
                                 << "5"
                                 << "4";
        QTest::newRow("TORG-13") << "FRDocT13"
                                 << "vnk"
                                 << "№"
                                 << "5"
                                 << "4";
        QTest::newRow("invoice for payment") << "FRDocS"
                                             << "invoice"
                                             << "Ед. изм."
                                             << ""
                                             << "Ед. изм.";
    }
    void unitsOnEveryPaper() {
        QFETCH(QString, form);
        QFETCH(QString, kind);
        QFETCH(QString, heading);
        QFETCH(QString, codeColumn);
        QFETCH(QString, nameColumn);
        Document doc;
        doc.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        doc.lines[0].OKEI = QStringLiteral("796");
        doc.lines[2].OKEI = QStringLiteral("166");
        const PreparedPage page = print(form, doc.data(*FindGoodsDocKind(kind))).pages[0];
        if (!codeColumn.isEmpty())
            QCOMPARE(ColumnTexts(page, codeColumn, heading).mid(0, 3), (QStringList{"796", "-", "166"}));
        QCOMPARE(ColumnTexts(page, nameColumn, heading).mid(0, 3), (QStringList{"шт", "-", "кг"}));
    }

    // Every registered form in every edition prepares from the sources it declares, under a
    // name for people; the report pages' forms from a small grid, the documents' forms from a
    // document of each kind that prints them, dated in the edition's time.
    void everyRegisteredFormPrepares() {
        const TReportGrid grid = GridOf({{"Дата", "Наименование", "Кол-во", "Сумма", "Остаток"},
                                         {"01.03.24", "ООО Ромашка", "1", "10.00", "5"},
                                         {"", "Итого", "1", "10.00", "5"}});
        int prepared = 0;
        for (const FormEntry& form : FormRegistry::forms()) {
            QVERIFY(!form.title.isEmpty());
            QVERIFY(!form.uses.isEmpty());
            for (const FormEdition& edition : form.editions) {
                for (const FormUse& use : form.uses) {
                    PrepareResult r;
                    if (use.position < 0) {
                        FormInput input;
                        input.grid = std::make_shared<const TReportGrid>(grid);
                        const ReportTemplate t = form.make(edition, input);
                        QList<ReportDataSource> sources{GridDataSources::zag(
                            ReportControls(), form.fields(QStringLiteral("DataSetZag")))};
                        if (!t.masterSource.isEmpty())
                            sources << GridDataSources::rows(t.masterSource, input.grid,
                                                             ReportForms::columnListFields(form.name));
                        r = ReportEngine(t, sources).prepare();
                    } else {
                        Document doc;
                        const QDate date = edition.from.isValid() ? edition.from : QDate(2026, 12, 9);
                        doc.rec.DocDate = kovrel::EncodeDate(date.year(), date.month(), date.day());
                        const TDocPrintData data = doc.data(*FindGoodsDocKind(use.kind));
                        QCOMPARE(&form.editionOn(date), &edition);
                        r = DocForms::prepare(form.name, data);
                    }
                    QVERIFY2(r, qPrintable(form.name + QLatin1Char(' ') + edition.name +
                                           QStringLiteral(": ") + r.error));
                    QVERIFY(!r.report->caption().contains(form.name));
                    QVERIFY(r.report->caption().startsWith(use.title.isEmpty() ? form.title : use.title));
                    ++prepared;
                }
            }
        }
        QCOMPARE(prepared, 10 + 4 + 4 + 3 + 1 + 1 + 1 + 3);
    }

    // A variable whose source does not declare it is refused with the template's and the
    // field's names, never printed as an empty cell.
    void undeclaredFieldIsRefused() {
        const Document doc;
        const TDocPrintData data = doc.data(NklKind());
        ReportTemplate t = DocForms::makeTemplate(QStringLiteral("FRDocSF"), data);
        t.child->texts[0].text += QStringLiteral(" [DSetZag.\"org_nme\"]");
        PrepareResult r = ReportEngine(t, DocForms::sources(QStringLiteral("FRDocSF"), data)).prepare();
        QVERIFY(!r);
        QCOMPARE(r.error, QStringLiteral("FRDocSF: field \"org_nme\" of DSetZag is not declared"));
        // A form whose source stops declaring a field it prints.
        QList<ReportDataSource> sources = DocForms::sources(QStringLiteral("FRDocT12"), data);
        sources[1].fields.removeAll(QStringLiteral("mest"));
        r = ReportEngine(DocForms::makeTemplate(QStringLiteral("FRDocT12"), data), sources).prepare();
        QCOMPARE(r.error, QStringLiteral("FRDocT12: field \"mest\" of DSetItems is not declared"));
    }

    // What the registry declares for a form, the print data answers for every kind printing it.
    void declaredFieldsAreAnswered() {
        const Document doc;
        for (const FormEntry& form : FormRegistry::forms())
            for (const FormUse& use : form.uses) {
                if (use.position < 0) continue;
                const TDocPrintData data = doc.data(*FindGoodsDocKind(use.kind));
                for (const QString& field : form.fields(QStringLiteral("DSetZag")))
                    QVERIFY2(data.DSetZagGetValue(field).isValid(),
                             qPrintable(use.kind + QLatin1Char(' ') + field));
                for (const QString& field : form.fields(QStringLiteral("DSetItems")))
                    QVERIFY2(data.DSetItemsGetValue(field, 0).isValid(),
                             qPrintable(use.kind + QLatin1Char(' ') + field));
            }
    }

    // The editors' print lists and kovrel-cli read the registry.
    void printListsComeFromTheRegistry() {
        QCOMPARE(FormRegistry::printList(QStringLiteral("nkl")),
                 (QStringList{"накладная без упаковок", "накладная с упаковками", "счет-фактура",
                              "накладная ТОРГ-12", "УПД"}));
        QCOMPARE(FormRegistry::printList(QStringLiteral("invoice")),
                 (QStringList{"заказ без упаковок", "заказ с упаковками", "счет на оплату"}));
        QCOMPARE(FormRegistry::printList(QStringLiteral("prh")).size(), 2);
        QCOMPARE(FormRegistry::printList(QStringLiteral("vnk")).last(), QStringLiteral("накладная ТОРГ-13"));
        QCOMPARE(DocForms::printedForm(NklKind(), 3), QStringLiteral("FRDocT12"));
        QCOMPARE(DocForms::printedForm(NklKind(), 4), QStringLiteral("FRDocUPD"));
        QCOMPARE(DocForms::printedForm(NklKind(), 9), QStringLiteral("FRDoc1"));
        QCOMPARE(DocForms::printedForm(VnkKind(), 2), QStringLiteral("FRDocT13"));
    }

    // The reviewed layouts: every registered document form in each of its editions (as the
    // first kind of its print lists prints it), a sole trader's invoice and one to a buyer
    // without requisites.
    void goldenDumps() {
        const QString dir = QStringLiteral(KOVREL_REPORT_GOLDEN_DIR);
        // A day inside each dated edition: the last of 534's, and days of 1096's and 26's.
        const QHash<QString, QDate> editionDays{{QStringLiteral("534"), QDate(2024, 9, 30)},
                                                {QStringLiteral("1096"), QDate(2025, 1, 15)},
                                                {QStringLiteral("26"), QDate(2026, 5, 15)}};
        for (const FormEntry& form : FormRegistry::forms()) {
            const FormUse& use = form.uses.first();
            if (use.position < 0) continue; // the report pages' forms have theirs in test_report_forms
            for (const FormEdition& edition : form.editions) {
                Document doc;
                if (!edition.name.isEmpty()) {
                    QVERIFY2(editionDays.contains(edition.name),
                             qPrintable(QStringLiteral("no golden day for edition ") + edition.name));
                    const QDate day = editionDays[edition.name];
                    doc.rec.DocDate = kovrel::EncodeDate(day.year(), day.month(), day.day());
                }
                CompareGolden(print(form.name, doc.data(*FindGoodsDocKind(use.kind))), dir,
                              edition.name.isEmpty() ? form.name
                                                     : form.name + QLatin1Char('-') + edition.name);
            }
        }
        Document trader;
        trader.org = soleTrader();
        trader.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        CompareGolden(print(QStringLiteral("FRDocSF"), trader.data(NklKind())), dir,
                      QStringLiteral("FRDocSF-sole-trader"));
        Document unknown;
        unknown.klRequisites = false;
        unknown.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        CompareGolden(print(QStringLiteral("FRDocSF"), unknown.data(NklKind())), dir,
                      QStringLiteral("FRDocSF-buyer-without-requisites"));
        // A sole trader without VAT: a transfer document only.
        Document plain = trader;
        for (TRecDocItem& l : plain.lines)
            l.ProcNds = 0;
        CompareGolden(print(QStringLiteral("FRDocUPD"), plain.data(NklKind())), dir,
                      QStringLiteral("FRDocUPD-status-2"));
    }
};

QTEST_MAIN(TestDocForms)
#include "test_doc_forms.moc"
