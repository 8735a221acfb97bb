// The УПД's XML e-document made from a sales waybill's records: files that validate against the
// tax service's schema (xmllint) and keep the rules it does not check, the figures of the paper
// УПД to the kopeck, the parties as organizations and sole traders, escaping and the code page, the
// refusals that write nothing, and the file written whole under its own name, never over another.
#include "date_time.h"
#include "doc_forms.h"
#include "goods_doc_kind.h"
#include "prepared_table.h"
#include "upd_builder.h"
#include "upd_export.h"
#include "upd_file.h"
#include "upd_xml.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

TRecBank organization() {
    TRecBank b;
    b.ID = 1000000;
    b.Name = QStringLiteral("Общество с ограниченной ответственностью «Ковчег-Трейд»");
    b.Inn = QStringLiteral("7701234567");
    b.Kpp = QStringLiteral("770101001");
    b.Adres = QStringLiteral("141008, Московская обл., г. Мытищи, ул. Силикатная, д. 19");
    b.Dir = QStringLiteral("Ковалев Петр Андреевич");
    b.Ogrn = QStringLiteral("1027700000013");
    b.EdoID = QStringLiteral("2BM-7701234567-770101001");
    return b;
}

TRecBank buyerWithKpp() {
    TRecBank b;
    b.ID = 12;
    b.Name = QStringLiteral("Общество с ограниченной ответственностью «Уют»");
    b.Inn = QStringLiteral("5001012345");
    b.Kpp = QStringLiteral("5001AB001");
    b.Adres = QStringLiteral("143900, Московская обл., г. Балашиха, пр-т Ленина, д. 32");
    b.Dir = QStringLiteral("Алексеев Роман Геннадьевич");
    b.EdoID = QStringLiteral("2BM-5001012345-5001AB001");
    return b;
}

TRecBank soleTrader() {
    TRecBank b;
    b.ID = 14;
    b.Name = QStringLiteral("ИП Петров Иван Сергеевич");
    b.Inn = QStringLiteral("500100732259");
    b.Kpp = QStringLiteral("500101001"); // a sole trader has none: not written
    b.Adres = QStringLiteral("140000, Московская обл., г. Люберцы, ул. Смирновская, д. 4");
    b.Ogrn = QStringLiteral("ОГРНИП 304500116000157 от 12.03.2004");
    b.EdoID = QStringLiteral("2BE-500100732259");
    return b;
}

// A sales waybill as its editor holds it for printing.
struct Sale {
    TRecDoc rec;
    RecordList<TRecDocItem> items;
    TRecBank org = organization();
    TRecBank kl = buyerWithKpp();

    Sale() {
        rec.ID = 57;
        rec.DocDate = kovrel::EncodeDate(2026, 12, 1);
        rec.KlientID = 12;
        rec.KlientName = QStringLiteral("Кафе Уют");
        rec.StoreID = 3;
    }
    TRecDocItem& Add(const QString& name, double kol, double cenR, double nds, const QString& okei = {}) {
        auto line = std::make_unique<TRecDocItem>();
        line->ID = static_cast<int>(items.size()) + 1;
        line->Name = name;
        line->Kol = kol;
        line->CenR = cenR;
        line->ProcNds = nds;
        line->OKEI = okei;
        items.push_back(std::move(line));
        return *items.back();
    }
    TDocPrintData Data() const {
        std::vector<const TRecDocItem*> lines;
        for (const auto& l : items)
            lines.push_back(l.get());
        return TDocPrintData(NklKind(), rec, lines, &org, &kl);
    }
};

// Five lines whose figures the paper prints, each rounded half up where a tie meets it.
Sale mixedSale() {
    Sale s;
    s.Add(QStringLiteral("Чай черный байховый 100 г"), 3, 120.00, 20, QStringLiteral("796"));
    s.Add(QStringLiteral("Яблоки «Гала» весовые"), 1.255, 149.90, 10, QStringLiteral("166"));
    s.Add(QStringLiteral("Пакет-майка"), 1, 0.27, 20);                     // VAT 4,5 kopecks: 0.05
    s.Add(QStringLiteral("Сувенир"), 0.5, 0.25, 0, QStringLiteral("796")); // 0,125: 0.13
    s.Add(QStringLiteral("Кофе в зернах 1 кг"), 2, 389.00, 22, QStringLiteral("796"));
    return s;
}

const QString kGuid = QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e");
const QDateTime kMade(QDate(2026, 12, 10), QTime(15, 30, 5));

QString goldenPath(const QString& name) {
    return QStringLiteral(KOVREL_TEST_GOLDEN_DIR "/") + name;
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestUpdXml : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // Writes the sale's УПД and reads it back; null, and the test failed, unless it is valid and
    // keeps the rules.
    std::unique_ptr<UpdFile> exported(const Sale& s, std::optional<TUpdStatus> status = std::nullopt) {
        const TUpdExport upd = TUpdExport::Write(s.Data(), dir.path(), status);
        auto file = std::make_unique<UpdFile>(upd.path);
        [&] {
            QVERIFY2(upd.failure.isEmpty(), qPrintable(upd.failure));
            QVERIFY2(file->Read(), qPrintable(file->RuleProblems().join(QLatin1Char('\n'))));
            QCOMPARE(file->SchemaErrors(), QString());
            QVERIFY2(file->RuleProblems().isEmpty(),
                     qPrintable(file->RuleProblems().join(QStringLiteral("; "))));
        }();
        return QTest::currentTestFailed() ? nullptr : std::move(file);
    }

    // Compares with the reviewed file; KOVREL_UPDATE_GOLDENS=1 writes it anew instead.
    void compareWithGolden(const QByteArray& bytes, const QString& name) {
        QFile golden(goldenPath(name));
        if (qEnvironmentVariableIsSet("KOVREL_UPDATE_GOLDENS")) {
            QVERIFY(golden.open(QIODevice::WriteOnly));
            golden.write(bytes);
            return;
        }
        QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
        const QByteArray expected = golden.readAll();
        if (bytes == expected) return;
        QStringDecoder decode("windows-1251");
        const QStringList got = QString(decode(bytes)).split(QStringLiteral("\r\n"));
        const QStringList want = QString(decode(expected)).split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < std::min(got.size(), want.size()); ++i)
            QCOMPARE(got[i], want[i]);
        QCOMPARE(got.size(), want.size());
        QCOMPARE(bytes, expected);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // Every byte of two documents, one of each function: what the reviewed files hold is what is
    // written, in windows-1251, numbers for machines.
    void filesAreByteForByteTheReviewedOnes() {
        const Sale mixed = mixedSale();
        const TUpdBuilder invoice(mixed.Data(), std::nullopt);
        QVERIFY2(invoice.Ok(), qPrintable(invoice.Failure()));
        const TUpdXml a(invoice.Document(), kGuid, kMade);
        QCOMPARE(a.FileName(),
                 QStringLiteral("ON_NSCHFDOPPR_2BM-5001012345-5001AB001_2BM-7701234567-770101001_"
                                "20261210_0f8fad5b-d9cb-469f-a165-70867728950e_0_0_0_0_0_00.xml"));
        compareWithGolden(a.Bytes(), QStringLiteral("upd-schfdop.xml"));

        Sale trader;
        trader.org = soleTrader();
        trader.kl.Kpp.clear();
        trader.Add(QStringLiteral("Услуга доставки"), 1, 500, 0);
        const TUpdBuilder transfer(trader.Data(), std::nullopt);
        QVERIFY2(transfer.Ok(), qPrintable(transfer.Failure()));
        compareWithGolden(TUpdXml(transfer.Document(), kGuid, kMade).Bytes(), QStringLiteral("upd-dop.xml"));
    }

    // An organization sells to an organization with a КПП: a VAT invoice and transfer document
    // whose lines and totals carry the paper's kopecks.
    void organizationSellerFiguresAndUnits() {
        const auto file = exported(mixedSale());
        QVERIFY(file);
        const UpdNode& d = file->Document();
        QCOMPARE(d.attrs.value(QStringLiteral("Функция")), QStringLiteral("СЧФДОП"));
        QCOMPARE(d.attrs.value(QStringLiteral("НаимДокОпр")),
                 QStringLiteral("Счет-фактура и документ об отгрузке товаров (выполнении работ), передаче "
                                "имущественных прав (документ об оказании услуг)"));
        QCOMPARE(d.Attr(QStringLiteral("СвСчФакт/@НомерДок")), QStringLiteral("57"));
        QCOMPARE(d.Attr(QStringLiteral("СвСчФакт/@ДатаДок")), QStringLiteral("01.12.2026"));
        QCOMPARE(d.Attr(QStringLiteral("СвСчФакт/СвПрод/ИдСв/СвЮЛУч/@ИННЮЛ")), QStringLiteral("7701234567"));
        QCOMPARE(d.Attr(QStringLiteral("СвСчФакт/СвПокуп/ИдСв/СвЮЛУч/@КПП")), QStringLiteral("5001AB001"));
        QCOMPARE(d.Attr(QStringLiteral("СвСчФакт/СвПокуп/Адрес/АдрИнф/@АдрТекст")), buyerWithKpp().Adres);

        const QList<const UpdNode*> lines =
            d.At(QStringLiteral("ТаблСчФакт"))->Children(QStringLiteral("СведТов"));
        QCOMPARE(lines.size(), 5);
        // НомСтр КолТов ЦенаТов СтТовБезНДС НалСт СумНал СтТовУчНал ОКЕИ_Тов НаимЕдИзм
        const QStringList expected{
            "1 3 100.00 300.00 20% 60.00 360.00 796 шт",
            "2 1.255 136.27 171.02 10% 17.10 188.12 166 кг",
            "3 1 0.22 0.22 20% 0.05 0.27  ",
            "4 0.5 0.25 0.13 без НДС без НДС 0.13 796 шт",
            "5 2 318.85 637.70 22% 140.30 778.00 796 шт",
        };
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const UpdNode& l = *lines[i];
            const UpdNode& tax = l.At(QStringLiteral("СумНал"))->children.at(0); // СумНал or БезНДС
            QStringList row;
            for (const char* a : {"НомСтр", "КолТов", "ЦенаТов", "СтТовБезНДС", "НалСт"})
                row << l.attrs.value(QString::fromUtf8(a));
            row << tax.text;
            for (const char* a : {"СтТовУчНал", "ОКЕИ_Тов", "НаимЕдИзм"})
                row << l.attrs.value(QString::fromUtf8(a));
            QCOMPARE(row.join(QLatin1Char(' ')), expected[i]);
            QCOMPARE(l.Attr(QStringLiteral("Акциз/БезАкциз")), QString()); // an element, not an attribute
            QCOMPARE(l.At(QStringLiteral("Акциз/БезАкциз"))->text, QStringLiteral("без акциза"));
        }
        QCOMPARE(lines[3]->At(QStringLiteral("СумНал/БезНДС"))->text, QStringLiteral("без НДС"));
        const UpdNode* total = d.At(QStringLiteral("ТаблСчФакт/ВсегоОпл"));
        QCOMPARE(total->attrs.value(QStringLiteral("СтТовБезНДСВсего")), QStringLiteral("1109.07"));
        QCOMPARE(total->attrs.value(QStringLiteral("СтТовУчНалВсего")), QStringLiteral("1326.52"));
        QCOMPARE(total->At(QStringLiteral("СумНалВсего/СумНал"))->text, QStringLiteral("217.45"));

        QCOMPARE(d.Attr(QStringLiteral("СвПродПер/СвПер/@СодОпер")), QStringLiteral("Товары переданы"));
        QCOMPARE(d.Attr(QStringLiteral("СвПродПер/СвПер/@ДатаПер")), QStringLiteral("01.12.2026"));
        QCOMPARE(d.At(QStringLiteral("СвПродПер/СвПер/БезДокОснПер"))->text, QStringLiteral("1"));
        QCOMPARE(d.Attr(QStringLiteral("Подписант/@СпосПодтПолном")), QStringLiteral("1"));
        QCOMPARE(d.Attr(QStringLiteral("Подписант/ФИО/@Фамилия")), QStringLiteral("Ковалев"));
        QCOMPARE(d.Attr(QStringLiteral("Подписант/ФИО/@Отчество")), QStringLiteral("Андреевич"));
    }

    // One set of figures: for the weighed goods of a shop, each line's quantity, price without VAT,
    // sums and VAT and the totals in the file are those the paper УПД prints, to the kopeck; a
    // weighed line carries its kilograms.
    void figuresAreThePaperUpds() {
        Sale s;
        s.rec.DocDate = kovrel::EncodeDate(2026, 12, 9);
        s.Add(QStringLiteral("Сыр весовой"), 0.333, 12.34, 22, QStringLiteral("166"));
        s.Add(QStringLiteral("Орехи"), 1.5, 0.03, 22, QStringLiteral("166"));
        s.Add(QStringLiteral("Скрепки"), 3, 0.05, 10, QStringLiteral("796"));
        s.Add(QStringLiteral("Ручка"), 1, 0.75, 10);
        const auto file = exported(s);
        QVERIFY(file);
        const PrepareResult paper = DocForms::prepare(QStringLiteral("FRDocUPD"), s.Data());
        QVERIFY2(paper, qPrintable(paper.error));
        QCOMPARE(paper.report->pages.size(), 1);
        const PreparedPage& page = paper.report->pages[0];
        const auto printed = [&page](const char* column) {
            return ColumnTexts(page, QString::fromUtf8(column), QStringLiteral("№ п/п"));
        };

        const UpdNode& d = file->Document();
        const QList<const UpdNode*> lines =
            d.At(QStringLiteral("ТаблСчФакт"))->Children(QStringLiteral("СведТов"));
        QCOMPARE(lines.size(), 4);
        const auto kopecks = [](const QString& text) { return kovrel::Money::Parse(text)->Kopecks(); };
        const auto written = [&](const char* attribute) {
            QList<qint64> out;
            for (const UpdNode* l : lines)
                out << kopecks(l->attrs.value(QString::fromUtf8(attribute)));
            return out;
        };
        QList<qint64> vat;
        for (const UpdNode* l : lines)
            vat << kopecks(l->At(QStringLiteral("СумНал/СумНал"))->text);
        const UpdNode* total = d.At(QStringLiteral("ТаблСчФакт/ВсегоОпл"));
        const QList<qint64> withoutVat = written("СтТовБезНДС")
                                         << kopecks(total->attrs.value(QStringLiteral("СтТовБезНДСВсего")));
        const QList<qint64> withVat = written("СтТовУчНал")
                                      << kopecks(total->attrs.value(QStringLiteral("СтТовУчНалВсего")));
        vat << kopecks(total->At(QStringLiteral("СумНалВсего/СумНал"))->text);

        QCOMPARE(Amounts(printed("4")), written("ЦенаТов"));
        QCOMPARE(Amounts(printed("5")), withoutVat);
        QCOMPARE(Amounts(printed("8")), vat);
        QCOMPARE(Amounts(printed("9")), withVat);
        // Known figures, so that both cannot be wrong alike: 0,333 × 12,34 = 4,11 at 22 % holds
        // 0,74 of VAT; 3 × 0,05 = 0,15 and 0,75 at 10 % hold 0,01 and 0,07.
        QCOMPARE(withVat, (QList<qint64>{411, 5, 15, 75, 506}));
        QCOMPARE(vat, (QList<qint64>{74, 1, 1, 7, 83}));

        QStringList quantities;
        for (const UpdNode* l : lines)
            quantities
                << l->attrs.value(QStringLiteral("КолТов")).replace(QLatin1Char('.'), QLatin1Char(','));
        QCOMPARE(printed("3").mid(0, 4), quantities);
        QCOMPARE(lines[0]->attrs.value(QStringLiteral("ОКЕИ_Тов")), QStringLiteral("166"));
        QCOMPARE(lines[0]->attrs.value(QStringLiteral("НаимЕдИзм")), QStringLiteral("кг"));
        QCOMPARE(printed("2").mid(0, 4), (QStringList{"166", "166", "796", "-"}));
        QCOMPARE(printed("2а").mid(0, 4), (QStringList{"кг", "кг", "шт", "-"}));
        QVERIFY(!lines[3]->attrs.contains(QStringLiteral("ОКЕИ_Тов")));
    }

    // A sole trader sells without VAT to an organization without a КПП: a transfer document only,
    // the trader's name from the full name without "ИП", the ОГРНИП found in its field.
    void soleTraderSellerWithoutVatToBuyerWithoutKpp() {
        Sale s;
        s.org = soleTrader();
        s.kl.Kpp.clear();
        s.Add(QStringLiteral("Доска обрезная"), 4, 350, 0, QStringLiteral("006"));
        s.Add(QStringLiteral("Гвозди"), 2.5, 180, 0, QStringLiteral("166"));
        const auto file = exported(s);
        QVERIFY(file);
        const UpdNode& d = file->Document();
        QCOMPARE(d.attrs.value(QStringLiteral("Функция")), QStringLiteral("ДОП"));
        QCOMPARE(
            d.attrs.value(QStringLiteral("НаимДокОпр")),
            QStringLiteral("Документ об отгрузке товаров (выполнении работ), передаче имущественных прав "
                           "(документ об оказании услуг)"));
        const UpdNode* ip = d.At(QStringLiteral("СвСчФакт/СвПрод/ИдСв/СвИП"));
        QVERIFY(ip);
        QCOMPARE(ip->attrs.value(QStringLiteral("ИННФЛ")), QStringLiteral("500100732259"));
        QCOMPARE(ip->attrs.value(QStringLiteral("ОГРНИП")), QStringLiteral("304500116000157"));
        QCOMPARE(ip->Attr(QStringLiteral("ФИО/@Фамилия")) + ip->Attr(QStringLiteral("ФИО/@Имя")) +
                     ip->Attr(QStringLiteral("ФИО/@Отчество")),
                 QStringLiteral("ПетровИванСергеевич"));
        QVERIFY(!d.At(QStringLiteral("СвСчФакт/СвПокуп/ИдСв/СвЮЛУч"))->attrs.contains(QStringLiteral("КПП")));
        QCOMPARE(d.At(QStringLiteral("ТаблСчФакт/ВсегоОпл/СумНалВсего/БезНДС"))->text,
                 QStringLiteral("без НДС"));
        QCOMPARE(d.Attr(QStringLiteral("ТаблСчФакт/ВсегоОпл/@СтТовУчНалВсего")), QStringLiteral("1850.00"));
        QCOMPARE(d.Attr(QStringLiteral("ТаблСчФакт/СведТов/@НаимЕдИзм")), QStringLiteral("м"));
        // The trader signs himself: no post, the name of the seller.
        QVERIFY(!d.Child(QStringLiteral("Подписант"))->attrs.contains(QStringLiteral("Должн")));
        QCOMPARE(d.Attr(QStringLiteral("Подписант/ФИО/@Имя")), QStringLiteral("Иван"));
        QCOMPARE(d.Attr(QStringLiteral("СвПродПер/СвПер/СвЛицПер/РабОргПрод/@Должность")),
                 QStringLiteral("Индивидуальный предприниматель"));

        // The head's name, when filled in, is the trader's; a buyer may be a sole trader too.
        s.org.Dir = QStringLiteral("Петров  Иван");
        s.kl = soleTrader();
        s.kl.EdoID = QStringLiteral("2BE-500100732260");
        s.kl.Name = QStringLiteral("Индивидуальный предприниматель Сидорова Анна Павловна");
        const auto second = exported(s);
        QVERIFY(second);
        QCOMPARE(second->Document().Attr(QStringLiteral("СвСчФакт/СвПрод/ИдСв/СвИП/ФИО/@Имя")),
                 QStringLiteral("Иван"));
        QVERIFY(!second->Document()
                     .At(QStringLiteral("СвСчФакт/СвПрод/ИдСв/СвИП/ФИО"))
                     ->attrs.contains(QStringLiteral("Отчество")));
        QCOMPARE(second->Document().Attr(QStringLiteral("СвСчФакт/СвПокуп/ИдСв/СвИП/ФИО/@Фамилия")),
                 QStringLiteral("Сидорова"));
    }

    // 60 lines: numbered in order, kit components left out (their kit is what was sold), the
    // totals the sums of the lines.
    void sixtyLinesAndKits() {
        Sale s;
        qint64 kopecks = 0;
        for (int i = 1; i <= 60; ++i) {
            s.Add(QStringLiteral("Товар № %1").arg(i), i % 7 + 1, 10.01 * i, i % 3 ? 22 : 10,
                  QStringLiteral("796"));
            kopecks += (i % 7 + 1) * 1001 * i;
        }
        TRecDocItem& kit = s.Add(QStringLiteral("Набор «Завтрак»"), 1, 399, 20, QStringLiteral("839"));
        kit.FlagNorm = 1;
        kit.IdRow = kit.ID;
        TRecDocItem& part = s.Add(QStringLiteral("Сахар-песок 1 кг"), 1, 0, 10, QStringLiteral("796"));
        part.IdRow = kit.ID;
        const auto file = exported(s);
        QVERIFY(file);
        const QList<const UpdNode*> lines =
            file->Document().At(QStringLiteral("ТаблСчФакт"))->Children(QStringLiteral("СведТов"));
        QCOMPARE(lines.size(), 61);
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i]->attrs.value(QStringLiteral("НомСтр")), QString::number(i + 1));
        QCOMPARE(lines.last()->attrs.value(QStringLiteral("НаимТов")), QStringLiteral("Набор «Завтрак»"));
        QCOMPARE(file->Document().Attr(QStringLiteral("ТаблСчФакт/ВсегоОпл/@СтТовУчНалВсего")),
                 kovrel::Money::FromKopecks(kopecks + 39900).ToText());
    }

    // Text is text: markup characters, quotes and line breaks are escaped, characters the code
    // page lacks become "?" and are named, control characters XML cannot carry too.
    void textsAreEscapedAndLossesNamed() {
        Sale s;
        const QString name = QStringLiteral("Чай \"Принцесса\" & <Ко>\nпачка 中 100 г");
        s.Add(name, 1, 100, 22);
        s.kl.Adres = QStringLiteral("Москва, ул. Тверская\t1 😀");
        s.kl.Name += QChar(0x07);
        const TUpdExport upd = TUpdExport::Write(s.Data(), dir.path());
        QCOMPARE(upd.failure, QString());
        const UpdFile file(upd.path);
        QCOMPARE(file.SchemaErrors(), QString());
        const UpdNode& d = file.Document();
        QCOMPARE(d.Attr(QStringLiteral("ТаблСчФакт/СведТов/@НаимТов")),
                 QStringLiteral("Чай \"Принцесса\" & <Ко>\nпачка ? 100 г"));
        QCOMPARE(d.Attr(QStringLiteral("СвСчФакт/СвПокуп/Адрес/АдрИнф/@АдрТекст")),
                 QStringLiteral("Москва, ул. Тверская\t1 ?"));
        QVERIFY(file.Text().contains(
            QStringLiteral("НаимТов=\"Чай &quot;Принцесса&quot; &amp; &lt;Ко&gt;&#10;пачка")));
        QCOMPARE(
            upd.LostMessage(57),
            QStringLiteral("УПД по накладной № 57: знаки, которых нет в кодировке windows-1251, записаны "
                           "как «?» (наименование покупателя, адрес покупателя, наименование товара в "
                           "строке 1)"));
    }

    // What the format needs and the document lacks is named in one message, and nothing is written.
    void refusalsNameWhatToFixAndWriteNothing_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("failure");
        QTest::newRow("requisites") << "requisites"
                                    << "Заполните в реквизитах своей организации «ИНН», «Адрес»; заполните в "
                                       "реквизитах покупателя «Кафе Уют» «Идентификатор участника ЭДО»";
        QTest::newRow("wrong values")
            << "wrong"
            << "В реквизитах своей организации: ИНН «77012345» должен состоять из 10 цифр (организация) "
               "или 12 (индивидуальный предприниматель); в реквизитах покупателя «Кафе Уют»: "
               "идентификатор участника ЭДО может содержать только латинские буквы, цифры и дефис "
               "(2BM_5001); в реквизитах покупателя «Кафе Уют»: КПП «50010100» должен состоять из 9 "
               "знаков: цифр, на 5-м и 6-м местах также заглавных латинских букв";
        QTest::newRow("no head") << "head"
                                 << "Заполните в реквизитах своей организации «Руководитель»";
        QTest::newRow("no buyer") << "buyer"
                                  << "Выберите покупателя";
        QTest::newRow("no lines") << "lines"
                                  << "В накладной нет строк, а документ должен содержать хотя бы одну";
        QTest::newRow("lines")
            << "badLines"
            << "Строка 1 «Чай»: количество должно быть больше нуля; строка 2 «Кофе»: ставки НДС "
               "12% нет среди ставок счета-фактуры; строка 3 «Пакет»: в счете-фактуре цена "
               "должна быть больше нуля";
    }
    void refusalsNameWhatToFixAndWriteNothing() {
        QFETCH(QString, change);
        QFETCH(QString, failure);
        Sale s;
        s.Add(QStringLiteral("Чай"), change == QLatin1String("badLines") ? 0 : 1, 100, 22);
        if (change == QLatin1String("requisites")) {
            s.org.Inn = QStringLiteral("  ");
            s.org.Adres.clear();
            s.kl.EdoID.clear();
        } else if (change == QLatin1String("wrong")) {
            s.org.Inn = QStringLiteral("77012345");
            s.kl.EdoID = QStringLiteral("2BM_5001");
            s.kl.Kpp = QStringLiteral("50010100");
        } else if (change == QLatin1String("head")) {
            s.org.Dir = QStringLiteral("Ковалев");
        } else if (change == QLatin1String("buyer")) {
            s.rec.KlientID = 0;
        } else if (change == QLatin1String("lines")) {
            s.items.clear();
        } else if (change == QLatin1String("badLines")) {
            s.Add(QStringLiteral("Кофе"), 1, 100, 12);
            s.Add(QStringLiteral("Пакет"), 1, 0, 20);
        }
        QTemporaryDir empty;
        const TUpdExport upd = TUpdExport::Write(s.Data(), empty.path());
        QCOMPARE(upd.failure, failure);
        QCOMPARE(upd.path, QString());
        QCOMPARE(filesIn(empty.path()), QStringList());
    }

    // The status may be asked for: a sale without VAT as a VAT invoice too, a sale with VAT as a
    // transfer document only.
    void statusAskedFor() {
        Sale s;
        s.Add(QStringLiteral("Хлеб"), 2, 45, 0);
        const auto invoice = exported(s, TUpdStatus::InvoiceAndTransfer);
        QVERIFY(invoice);
        QCOMPARE(invoice->Document().attrs.value(QStringLiteral("Функция")), QStringLiteral("СЧФДОП"));
        QCOMPARE(invoice->Document().Attr(QStringLiteral("ТаблСчФакт/СведТов/@НалСт")),
                 QStringLiteral("без НДС"));
        s.items.front()->ProcNds = 22;
        const auto transfer = exported(s, TUpdStatus::TransferOnly);
        QVERIFY(transfer);
        QCOMPARE(transfer->Document().attrs.value(QStringLiteral("Функция")), QStringLiteral("ДОП"));
        QCOMPARE(transfer->Document().At(QStringLiteral("ТаблСчФакт/СведТов/СумНал/СумНал"))->text,
                 QStringLiteral("16.23"));
    }

    // Each file is new (its identifier differs every time) and appears under its name only when
    // whole; a folder that is not there or cannot be written gets nothing, not even a part.
    void filesAreNewAndWhole() {
        QTemporaryDir folder;
        const Sale s = mixedSale();
        const TUpdExport first = TUpdExport::Write(s.Data(), folder.path());
        const TUpdExport second = TUpdExport::Write(s.Data(), folder.path());
        QVERIFY(first.failure.isEmpty() && second.failure.isEmpty());
        QVERIFY(first.path != second.path);
        QStringList names = filesIn(folder.path());
        QCOMPARE(names.size(), 2);
        for (const QString& name : names)
            QVERIFY2(
                QRegularExpression(
                    QStringLiteral("^ON_NSCHFDOPPR_2BM-5001012345-5001AB001_2BM-7701234567-770101001_"
                                   "\\d{8}_[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}_0_0_0_0_0_00\\.xml$"))
                    .match(name)
                    .hasMatch(),
                qPrintable(name));

        const QString missing = folder.filePath(QStringLiteral("нет"));
        QCOMPARE(TUpdExport::Write(s.Data(), missing).failure,
                 QStringLiteral("Папки «%1» нет").arg(QDir::toNativeSeparators(missing)));
        // A folder nobody may create files in, root included.
        const TUpdExport refused = TUpdExport::Write(s.Data(), QStringLiteral("/proc"));
        QVERIFY2(refused.failure.startsWith(QStringLiteral("В папку «/proc» нельзя записать файл: ")),
                 qPrintable(refused.failure));
        QCOMPARE(refused.path, QString());
        QCOMPARE(filesIn(folder.path()), names);
    }
};

QTEST_MAIN(TestUpdXml)
#include "test_upd_xml.moc"
