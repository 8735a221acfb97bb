// The goods documents' print forms, prepared from print data made in memory: which texts in
// which order, the money formats, the pages the lines and totals fall on. The golden dumps pin
// the whole layout of each form.
#include "date_time.h"
#include "doc_forms.h"
#include "golden_dump.h"
#include "rec_klient.h"
#include "report_engine.h"

#include <QLocale>
#include <QTest>

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

// A document of any kind between the store "Основной склад" and the buyer or supplier
// "Лютик" (a transfer: to "Магазин на Ленина"), with its lines and requisites.
struct Document {
    TRecDoc rec;
    std::vector<TRecDocItem> lines;
    TRecBank org = organization();
    TRecBank kl = buyer();
    bool requisites = true;

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
        return TDocPrintData(kind, rec, items, requisites ? &org : nullptr, requisites ? &kl : nullptr);
    }
};

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
    // The forms are read on Russian systems: the system's decimal separator is a comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void simpleFormsNameThePartiesByKind() {
        const Document doc;
        expectInOrder(
            print(QStringLiteral("FRDoc1"), doc.data(NklKind())),
            QStringLiteral("Накладная № 15 от 01.03.2024|Сдал Основной склад|Получил Лютик|"
                           "Примечание доставка до 12:00|№ п/п|Наименование, характеристика товара|"
                           "Кол-во|Цена|Сумма|1|Кофе молотый 250 г|3|120,00|360,00|3|Сахар-песок 1 кг|"
                           "2,5|1~250,00|3~125,00|Всего  |3~940,00|Отпустил|(подпись)|Получил|(подпись)"));
        expectInOrder(print(QStringLiteral("FRDoc1"), doc.data(PrhKind())),
                      QStringLiteral("Накладная № 15 от 01.03.2024|Сдал Лютик|Получил Основной склад|60,00"));
        expectInOrder(print(QStringLiteral("FRDoc2"), doc.data(InvoiceKind())),
                      QStringLiteral("Заказ № 15 от 01.03.2024|Сдал Основной склад|Получил Лютик|Упак.|"
                                     "Кол-во упак.|Кофе молотый 250 г|3|6|0,5|120,00|360,00"));
        expectInOrder(print(QStringLiteral("FRDoc1"), doc.data(VnkKind())),
                      QStringLiteral("Сдал Основной склад|Получил Магазин на Ленина"));
    }

    void vatInvoice() {
        const PreparedReport r = print(QStringLiteral("FRDocSF"), Document().data(NklKind()));
        QCOMPARE(r.pages.size(), 1);
        QCOMPARE(r.pages[0].size, QSizeF(297, 210));
        expectInOrder(
            r,
            QStringLiteral(
                "СЧЕТ-ФАКТУРА № 15 от 01.03.2024|(1)|ИСПРАВЛЕНИЕ № --- от ---|(1а)|Продавец ООО "
                "«Ромашка»|(2)|"
                "Адрес: 125009, г. Москва, ул. Тверская, д. 1|(2а)|ИНН / КПП продавца:7701234567 / 770101001|"
                "(2б)|Грузоотправитель и его адрес:ООО «Ромашка» 125009, г. Москва, ул. Тверская, д. 1|(3)|"
                "Грузополучатель и его адрес: ООО «Лютик» 190000, г. Санкт-Петербург, Невский пр., д. 2|(4)|"
                "К платежно-расчетному документу № ___ от ___|(5)|"
                "Документ об отгрузке N п/п 1 - 3 №  15 от 01.03.2024|(5а)|Покупатель:ООО «Лютик»|(6)|"
                "Адрес: 190000, г. Санкт-Петербург, Невский пр., д. 2|(6а)|"
                "ИНН / КПП покупателя: 7812345678 / 781201001|(6б)|"
                "Валюта: наименование, код: Российский рубль, 643|(7)|"
                "Идентификатор государственного контракта, договора (соглашения) (при наличии) -|(8)|"
                "№ п/п|Наименование товара (описание выполненных работ, оказанных услуг), имущественного "
                "права|"
                "Стоимость товаров (работ, услуг), имущественных прав без налога - всего|"
                "Регистрационный номер декларации на товары или регистрационный номер партии товара, "
                "подлежащего прослеживаемости|"
                "Количество товара, подлежащего прослеживаемости, в количественной единице измерения товара, "
                "используемой в целях осуществления прослеживаемости|"
                "1|1а|1б|2|2а|3|4|5|6|7|8|9|10|10а|11|12|12а|13|"
                // price 120.00 with VAT at 20 %, 3 units
                "1|Кофе молотый 250 г|-|3|100,00|300,00|без акциза|20%|60,00|360,00|"
                "2|Хлеб ржаной|-|10|45,50|455,00|без акциза|без НДС|0,00|455,00|"
                "3|Сахар-песок 1 кг|-|2,5|1~136,36|2~840,91|без акциза|10%|284,09|3~125,00|"
                "Всего к оплате:|3~595,91|X|344,09|3~940,00|"
                "Руководитель организации или иное уполномоченное лицо|(подпись)|Иванов И. И.|(ф. и. о.)|"
                "Главный бухгалтер или иное уполномоченное лицо|(подпись)|Петрова П. П.|(ф. и. о.)|"
                "Индивидуальный предприниматель или иное уполномоченное лицо|(подпись)|(ф. и. о.)|"
                "(реквизиты свидетельства о государственной регистрации индивидуального предпринимателя)|"
                "Страница 1 из 1"));
    }

    void torg12() {
        const PreparedReport r = print(QStringLiteral("FRDocT12"), Document().data(NklKind()));
        const QString org =
            QStringLiteral("ООО «Ромашка» ИНН 7701234567 КПП 770101001 125009, г. Москва, ул. "
                           "Тверская, д. 1 БИК044525225 ПАО Сбербанк р/с 40702810938000000001 к/с "
                           "30101810400000000225|организация, адрес, номер телефона, банковские "
                           "реквизиты");
        const QString kl =
            QStringLiteral("ООО «Лютик» ИНН7812345678 КПП 781201001 190000, г. Санкт-Петербург, "
                           "Невский пр., д. 2 БИК 044525187 Банк ВТБ (ПАО) р/с 40702810900000000002 "
                           "к/с 30101810700000000187|организация, адрес, номер телефона, "
                           "банковские реквизиты");
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
                    "1|Кофе молотый 250 г|-|-|3|100,00|300,00|20%|60,00|360,00|"
                    "2|Хлеб ржаной|-|-|10|45,50|455,00|без НДС|0,00|455,00|"
                    "Сумма|X|15,5|X|3~595,91|X|344,09|3~940,00|"
                    "Товарная накладная имеет приложение на|листах|и содержит|прописью|"
                    "порядковых номеров записей|Масса груза (нетто)|Всего мест|15,5|Масса груза (брутто)|"
                    "Приложение (паспорта, сертификаты, и т. п.) на|листах|По доверенности №|от|"
                    "Всего отпущено на сумму|Выданной|Отпуск разрешил|Иванов И. И.|Груз принял|"
                    "Главный (старший) бухгалтер|Петрова П. П.|Груз получил грузополучатель|"
                    "Отпуск груза произвел|М. П.|01.03.2024|М. П.|Страница 1 из 1"));
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
                   "1|Кофе молотый 250 г|3,000|120,00|360,00|2|Хлеб ржаной|10,000|45,50|455,00|"
                   "3|Сахар-песок 1 кг|2,500|1~250,00|3~125,00|Итого|15,500|3~940,00|"
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
                "1|Кофе молотый 250 г|3|120|360,00|2|Хлеб ржаной|10|45,5|455,00|"
                "3|Сахар-песок 1 кг|2,5|1250|3~125,00|Итого:|3940|Всего наименований 3, на сумму 3940|"
                "Руководитель|Иванов И. И.|Бухгалтер|Петрова П. П."));
    }

    // Prices keep the system's separator; line sums and totals print a comma everywhere.
    void systemSeparatorForPrices() {
        QLocale::setDefault(QLocale::c());
        const PreparedReport r = print(QStringLiteral("FRDocSF"), Document().data(NklKind()));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        expectInOrder(
            r, QStringLiteral("Сахар-песок 1 кг|2.5|1~136.36|2~840,91|без акциза|10%|284,09|3~125,00"));
    }

    void missingRequisitesAndNoLines() {
        Document doc;
        doc.lines.clear();
        doc.requisites = false;
        // The heading, at once the totals.
        for (const auto& [form, last, totals] :
             {std::tuple{"FRDocSF", "13", "Всего к оплате:"}, std::tuple{"FRDocT12", "15", "Сумма"},
              std::tuple{"FRDoc2", "Сумма", "Всего  "}}) {
            const QStringList all = texts(print(QLatin1String(form), doc.data(NklKind())));
            QCOMPARE(all.value(all.indexOf(QString::fromUtf8(totals)) - 1), QString::fromUtf8(last));
        }
        expectInOrder(print(QStringLiteral("FRDocSF"), doc.data(NklKind())),
                      QStringLiteral("Продавец |ИНН / КПП продавца: / |"
                                     "Документ об отгрузке N п/п 1 - 0 №  15 от 01.03.2024|Покупатель:|"
                                     "Всего к оплате:|0,00|X|0,00|0,00"));
        expectInOrder(
            print(QStringLiteral("FRDocS"), doc.data(InvoiceKind())),
            QStringLiteral("Счет на оплату № 15 от 01.03.2024|Итого:|0|Всего наименований 0, на сумму 0"));
        expectInOrder(print(QStringLiteral("FRDocT13"), doc.data(VnkKind())),
                      QStringLiteral("Итого|0,000|0,00"));
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
                                 << "Всего к оплате:"
                                 << "(ф. и. о.)" << true;
        QTest::newRow("FRDocT12") << "FRDocT12"
                                  << "nkl"
                                  << "Сумма"
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
            const PreparedReport r = print(form, doc.data(*FindGoodsDocKind(kind)));
            if (pageOf(r, totals) == 1) continue;
            const QString last = QStringLiteral("Товар %1").arg(n);
            QCOMPARE(pageOf(r, totals), 2);
            QCOMPARE(pageOf(r, signature), 2);
            QCOMPARE(pageOf(r, last), keeps ? 2 : 1);
            if (n > 1) QCOMPARE(pageOf(r, QStringLiteral("Товар %1").arg(n - 1)), 1);
            if (keeps) {
                // Without the rule the last line would have fitted.
                ReportTemplate loose = DocForms::makeTemplate(form, *FindGoodsDocKind(kind));
                loose.keepLastWithSummary = false;
                const PrepareResult plain =
                    ReportEngine(loose, DocForms::sources(doc.data(*FindGoodsDocKind(kind)))).prepare();
                QCOMPARE(pageOf(*plain.report, last), 1);
            }
            return;
        }
        QFAIL("the totals never left the first page");
    }

    void longTorg12RunsOverPages() {
        const PreparedReport r = print(QStringLiteral("FRDocT12"), Document(60).data(NklKind()));
        const int pages = static_cast<int>(r.pages.size());
        QVERIFY(pages >= 2);
        int lines = 0;
        for (int p = 0; p < pages; ++p) {
            const QStringList page = r.pageLines(p);
            QCOMPARE(page.last(), QStringLiteral("Страница %1 из %2").arg(p + 1).arg(pages));
            // The column headings open every page's table.
            QCOMPARE(page.count(QStringLiteral("Номер по")), 1);
            QCOMPARE(pageOf(r, QStringLiteral("ТОВАРНАЯ НАКЛАДНАЯ")), 1);
            lines += static_cast<int>(page.filter(QRegularExpression(QStringLiteral("^Товар \\d+$"))).size());
        }
        QCOMPARE(lines, 60);
        QCOMPARE(pageOf(r, QStringLiteral("Товар 60")), pages);
        QCOMPARE(pageOf(r, QStringLiteral("Отпуск разрешил")), pages);
    }

    void goldenDumps() {
        for (const auto& [form, kind] :
             {std::pair{"FRDoc1", &NklKind()}, std::pair{"FRDoc2", &PrhKind()},
              std::pair{"FRDocS", &InvoiceKind()}, std::pair{"FRDocSF", &NklKind()},
              std::pair{"FRDocT12", &NklKind()}, std::pair{"FRDocT13", &VnkKind()}})
            CompareGolden(print(QLatin1String(form), Document().data(*kind)),
                          QStringLiteral(KOVREL_REPORT_GOLDEN_DIR), QLatin1String(form));
    }
};

QTEST_MAIN(TestDocForms)
#include "test_doc_forms.moc"
