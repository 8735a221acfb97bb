// kovrel-cli against the real kovrel-server over loopback, for the endpoints the service has:
// the sign-in of the demo account's administrator and user, and refused credentials.
#include "server_process.h"
#include "test_database.h"

#ifdef KOVREL_TEST_EXPORTS
#include "date_time.h"
#include "demo_session.h"
#include "form_load.h"
#include "form_registry.h"
#include "goods_doc_kind.h"
#include "grid_text_file.h"
#include "money.h"
#include "rec_klient.h"
#include "report_grid.h"
#include "screen_scale.h"
#include "session.h"
#include "sheet_reader.h"
#include "sheet_table.h"
#include "upd_file.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#endif

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestCliServer : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ServerProcess> server;

    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };

    Run cli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment()) {
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"KOVREL_SERVICE", "KOVREL_LOGIN", "KOVREL_USER", "KOVREL_PASSWORD"})
            e.remove(QLatin1String(v));
        e.insert(env);
        p.setProcessEnvironment(e);
        p.start(QStringLiteral(KOVREL_CLI_PATH),
                QStringList{QStringLiteral("--service"), server->BaseUrl()} + args);
        if (!p.waitForFinished(120000)) p.kill(); // an export to Calc starts an office
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

private Q_SLOTS:
    void init() {
        db = std::make_unique<TestDatabase>();
        QVERIFY2(db->Ok(), qPrintable(db->Error()));
        server = std::make_unique<ServerProcess>(*db);
        QVERIFY2(server->Start({QStringLiteral("--demo")}), qPrintable(server->Error()));
    }
    void cleanup() {
        server.reset();
        db.reset();
    }

    void administratorSignsIn() {
        const Run r = cli({"--login", "demo@kovrel.local", "--password", "demo2024", "sign-in"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QCOMPARE(
            r.out,
            QStringLiteral(
                "{\n  \"ok\": true,\n  \"SignInState\": {\"testAdminLogin\": 1, "
                "\"testAdminPas\": 1, \"flagAdmin\": 1, \"userName\": \"Администратор\", \"userID\": 0},\n"
                "  \"text\": \"Пользователь: Администратор\",\n  \"log\": []\n}\n"));
    }

    void userSignsInWithCredentialsFromTheSettingsFile() {
        QTemporaryDir dir;
        QFile ini(dir.filePath(QStringLiteral("kovrel.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Config]\nLogin=demo@kovrel.local\nDopLogin=kassa@kovrel.local\nPas=kassa2024\n");
        ini.close();
        const Run r = cli({"--ini", ini.fileName(), "sign-in"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(QStringLiteral("\"flagAdmin\": 0, \"userName\": \"Кассир\", \"userID\": 1}")));
        QVERIFY(r.out.contains(QStringLiteral("\"text\": \"Пользователь: Кассир\"")));
    }

    void refusedCredentialsExitWithOne() {
        QProcessEnvironment env;
        env.insert(QStringLiteral("KOVREL_LOGIN"), QStringLiteral("demo@kovrel.local"));
        env.insert(QStringLiteral("KOVREL_PASSWORD"), QStringLiteral("wrong"));
        const Run admin = cli({"sign-in"}, env);
        QCOMPARE(admin.exitCode, 1);
        QCOMPARE(admin.err,
                 QStringLiteral("kovrel-cli: Требуется указать корректный пароль администратора !\n"));

        env.insert(QStringLiteral("KOVREL_USER"), QStringLiteral("kassa@kovrel.local"));
        const Run user = cli({"sign-in"}, env);
        QCOMPARE(user.exitCode, 1);
        QCOMPARE(user.err,
                 QStringLiteral("kovrel-cli: Требуется указать корректный логин и пароль пользователя !\n"));
        QVERIFY(user.out.contains(QStringLiteral("\"ok\": false")));
    }

    // The day labels are the program's short dates: the CLI builds the same number and date
    // settings as the program.
    void gridPrintsThePagesTexts() {
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const QString begin = QDate::currentDate().addMonths(-3).toString(Qt::ISODate);
        const Run r = cli(
            {"--login", "demo@kovrel.local", "--password", "demo2024", "--format", "tsv", "grid",
             "RunRepSaleDynam",
             QStringLiteral(R"({"BeginDat": "%1", "EndDat": "%2", "CBoxNacRSD": true})").arg(begin, today)});
        QCOMPARE(r.exitCode, 0);
        QStringList lines = r.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.takeFirst(), QStringLiteral("\tПериод\tКол-во\tПрод.сумма\tСумма наценки"));
        QVERIFY(lines.takeLast().startsWith(QStringLiteral("\tИтого\t")));
        QVERIFY(lines.size() > 10);
        static const QRegularExpression day(QStringLiteral("^\\d+\t\\d\\d\\.\\d\\d\\.\\d\\d\t"));
        for (const QString& line : lines)
            QVERIFY2(day.match(line).hasMatch(), qPrintable(line));
    }

    // The PDF holds the title the page would print and every cell of the page's grid, in the
    // grid's order; a PDF that cannot be written leaves nothing behind and says why in one line.
    void printWritesThePagesReport() {
        const QStringList login{"--login", "demo@kovrel.local", "--password", "demo2024"};
        // The grid takes the check boxes; the print takes the store's name for the title too.
        const Run grid = cli(login + QStringList{"--format", "tsv", "grid", "RunRepOst",
                                                 R"({"CBoxZero": true, "CBoxSum": true})"});
        const QString args =
            QStringLiteral(R"j({"ComBoxStore": "(все)", "CBoxZero": true, "CBoxSum": true})j");
        QVERIFY2(grid.exitCode == 0, qPrintable(grid.err));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("ost.pdf"));
        const Run print = cli(login + QStringList{"print", "RunRepOst", args, "--pdf", pdf});
        QCOMPARE(print.exitCode, 0);
        QVERIFY2(print.err.isEmpty(), qPrintable(print.err));
        QVERIFY(print.out.contains(QStringLiteral("\"template\": \"FROst\"")));

        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QStringList expected{QStringLiteral("Остатки товаров"), QStringLiteral("склад: (все)"),
                             QStringLiteral("включая нулевые остатки")};
        const QStringList rows = grid.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(rows.size() > 10);
        for (const QString& row : rows)
            for (const QString& cell : row.split(QLatin1Char('\t')))
                if (!cell.isEmpty()) expected << cell;
        qsizetype at = 0;
        for (const QString& piece : expected) {
            const qsizetype found = out.indexOf(piece, at);
            QVERIFY2(found >= 0,
                     qPrintable(QStringLiteral("%1 not found after offset %2").arg(piece).arg(at)));
            at = found + piece.size();
        }

        const QString bad = dir.filePath(QStringLiteral("no/such/folder/ost.pdf"));
        const Run failed = cli(login + QStringList{"print", "RunRepOst", args, "--pdf", bad});
        QCOMPARE(failed.exitCode, 1);
        QCOMPARE(failed.err.count(QLatin1Char('\n')), 1);
        QVERIFY(failed.err.startsWith(QStringLiteral("kovrel-cli: cannot write ")));
        QVERIFY(!QFile::exists(bad));
    }

#ifdef KOVREL_TEST_EXPORTS
    // export writes the very grid that grid prints, through the program's export code.
    void exportWritesThePagesGrid() {
        const QStringList login = {"--login", "demo@kovrel.local", "--password", "demo2024"};
        const Run printed = cli(login + QStringList{"grid", "RunRepOst", "{}"});
        QCOMPARE(printed.exitCode, 0);
        const QJsonObject json = QJsonDocument::fromJson(printed.out.toUtf8()).object();
        TReportGrid grid;
        for (const QJsonValue& w : json.value(QStringLiteral("widths")).toArray())
            grid.Widths << w.toInt();
        for (const QJsonValue& row : json.value(QStringLiteral("cells")).toArray())
            grid.Rows << row.toVariant().toStringList();
        QVERIFY(grid.RowCount() > 2);

        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("остатки.csv"));
        Run r = cli(login + QStringList{"export", "RunRepOst", "{}", "--text", text});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QFile file(text);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), GridTextBytes(grid));

        const QString book = dir.filePath(QStringLiteral("остатки.xlsx"));
        r = cli(login + QStringList{"export", "RunRepOst", "{}", "--xlsx", book, "--screen", "1280x1024"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        SheetTable table;
        QString error;
        QVERIFY2(ReadFirstSheet(book, table, error), qPrintable(error));
        QCOMPARE(table.RowCount(), grid.RowCount());
        QCOMPARE(table.Cell(1, 2), grid.Cells(1, 0));
        QVERIFY(qAbs(table.ColumnWidth(2) - WorkbookColumnWidth(grid.Widths[1], 76.8)) < 0.1);

#ifdef KOVREL_CALC_MODULE
        const QString ods = dir.filePath(QStringLiteral("остатки.ods"));
        QProcessEnvironment headless;
        headless.insert(QStringLiteral("HOME"), dir.path()); // the office's profile
        headless.insert(QStringLiteral("DISPLAY"), QString());
        r = cli(login + QStringList{"export", "RunRepOst", "{}", "--calc", ods}, headless);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QFile stored(ods);
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QVERIFY(stored.read(2) == "PK");
#endif
        r = cli(login + QStringList{"export", "RunRepOst", "{}"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("--xlsx, --text or --calc")), qPrintable(r.err));
    }

    // print-doc prints a demo document of each kind in each family of forms with what the
    // service holds: the header found in the kind's journal, the lines, the requisites.
    void printDocWritesTheForms() {
        BaseURL = server->BaseUrl();
        UseDemoAdmin();
        TFormLoad fl;
        const auto first = [&fl](const TGoodsDocKind& kind) {
            RecordList<TRecDoc> journal;
            (fl.*kind.selectList)(journal, QString(), kovrel::EncodeDate(2000, 1, 1),
                                  kovrel::EncodeDate(2100, 1, 1));
            return journal.empty() ? TRecDoc() : *journal.front();
        };
        const TRecDoc sale = first(NklKind()), receipt = first(PrhKind()), order = first(InvoiceKind()),
                      transfer = first(VnkKind());
        RecordList<TRecDocItem> lines;
        fl.SelectPrhItemsList(lines, receipt.ID, receipt.StoreID);
        const std::unique_ptr<TRecBank> org = fl.SelectBank(kOrganizationID);
        const std::unique_ptr<TRecBank> buyer = fl.SelectBank(sale.KlientID);
        QVERIFY(!fl.Failed() && sale.ID > 0 && transfer.ID > 0 && !lines.empty() && !org->Name.isEmpty());
        RecordList<TRecDocItem> saleLines;
        fl.SelectNklItemsList(saleLines, sale.ID, sale.StoreID);
        const auto day = [](const TRecDoc& d) {
            return kovrel::DateOf(d.DocDate).toString(QStringLiteral("dd.MM.yyyy"));
        };

        // The VAT invoice's edition in force on the sale's date names the shipping document
        // by its lines until 30.09.2024, by its name since.
        const FormEdition& edition =
            FormRegistry::find(QStringLiteral("FRDocSF"))->editionOn(kovrel::DateOf(sale.DocDate));
        const QString shipped =
            edition.name == QLatin1String("534")
                ? QStringLiteral("Документ об отгрузке № п/п 1 - %1 № %2 от %3")
                      .arg(saleLines.size())
                      .arg(sale.ID)
                      .arg(day(sale))
                : QStringLiteral("Документ об отгрузке: накладная, № %1 от %2").arg(sale.ID).arg(day(sale));
        const auto title = [&day](const char* name, const TRecDoc& d) {
            return QStringLiteral("%1 № %2 от %3").arg(QString::fromUtf8(name)).arg(d.ID).arg(day(d));
        };
        const struct {
            QStringList args;
            QString form;
            QStringList texts;
            QString title;
        } cases[] = {
            {{"prh", QString::number(receipt.ID)},
             "FRDoc1",
             {QStringLiteral("Накладная № %1 от %2").arg(receipt.ID).arg(day(receipt)),
              "Сдал " + receipt.KlientName, "Получил " + receipt.StoreName, "Сумма", "Всего", "Отпустил"},
             title("Накладная", receipt)},
            {{"nkl", QString::number(sale.ID), "2"},
             "FRDocSF",
             {QStringLiteral("СЧЕТ-ФАКТУРА № %1 от %2").arg(sale.ID).arg(day(sale)), "Продавец: " + org->Name,
              shipped, "Покупатель: " + buyer->Name, "Всего к оплате (9)", "Страница 1 из 1"},
             title("Счет-фактура", sale)},
            {{"nkl", QString::number(sale.ID), "3"},
             "FRDocT12",
             {"Унифицированная форма № Торг-12", "Грузоотправитель " + org->Name,
              "Грузополучатель " + buyer->Name, "Поставщик " + org->Name, "Плательщик " + buyer->Name,
              "ТОВАРНАЯ НАКЛАДНАЯ", "Сумма", "Всего по накладной", "Всего отпущено на сумму",
              "Отпуск разрешил", "Страница 1 из 1"},
             title("Товарная накладная", sale)},
            {{"vnk", QString::number(transfer.ID), "2"},
             "FRDocT13",
             {"Унифицированная форма № ТОРГ-13", org->Name, "НАКЛАДНАЯ", "Отправитель", "Получатель",
              transfer.StoreNameI + " " + transfer.StoreNameP, "Итого", "Отпустил", "Получил"},
             title("Накладная на внутреннее перемещение", transfer)},
            {{"invoice", QString::number(order.ID), "2"},
             "FRDocS",
             {QStringLiteral("Счет на оплату № %1 от %2").arg(order.ID).arg(day(order)),
              "Поставщик:", "Покупатель:", "Итого:", "Всего к оплате:", "Всего наименований", "рублей",
              "Руководитель", "Бухгалтер"},
             title("Счет на оплату", order)},
            // The УПД of a sale with VAT, asked for as a transfer document only.
            {{"nkl", QString::number(sale.ID), "4", "--status", "2"},
             "FRDocUPD",
             {"Универсальный", QStringLiteral("СЧЕТ-ФАКТУРА № %1 от %2").arg(sale.ID).arg(day(sale)),
              "Продавец: " + org->Name, "Статус: 2", "Код товара/", "Всего к оплате (9)",
              "Документ составлен на", "Товар (груз) передал", "Дата отгрузки, передачи (сдачи) " + day(sale),
              "[19]"},
             title("УПД", sale)},
        };
        QTemporaryDir dir;
        const QStringList login{"--login", "demo@kovrel.local", "--password", "demo2024"};
        for (const auto& c : cases) {
            const QString pdf = dir.filePath(c.form + QStringLiteral(".pdf"));
            const Run r = cli(login + QStringList{"print-doc"} + c.args + QStringList{"--pdf", pdf});
            QVERIFY2(r.exitCode == 0 && r.err.isEmpty(), qPrintable(r.err));
            QVERIFY(r.out.contains(QStringLiteral("\"template\": \"%1\"").arg(c.form)));
            // People's name for the print, and the edition where the form has several.
            QVERIFY2(r.out.contains(QStringLiteral("\"title\": \"%1\"").arg(c.title)), qPrintable(r.out));
            QCOMPARE(r.out.contains(QStringLiteral("\"edition\": \"%1\"").arg(edition.name)),
                     c.form == QLatin1String("FRDocSF") || c.form == QLatin1String("FRDocUPD"));
            QProcess text;
            text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
            QVERIFY(text.waitForFinished(30000));
            const QString out = QString::fromUtf8(text.readAllStandardOutput()).simplified();
            qsizetype at = 0;
            for (const QString& piece : c.texts) {
                const qsizetype found = out.indexOf(piece.simplified(), at);
                QVERIFY2(found >= 0,
                         qPrintable(
                             QStringLiteral("%1: %2 not found after offset %3").arg(c.form, piece).arg(at)));
                at = found + piece.simplified().size();
            }
            // Every line of the receipt; their order is the forms' own tests' business.
            if (c.form == QLatin1String("FRDoc1"))
                for (const auto& line : lines)
                    QVERIFY2(out.contains(line->Name), qPrintable(line->Name));
        }
    }

    // Unknown kinds and forms are usage errors and a document that is not there fails in one
    // line; no file is written in either case.
    void printDocRefusesWhatItCannotPrint() {
        const QStringList login{"--login", "demo@kovrel.local", "--password", "demo2024"};
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("doc.pdf"));
        // The status is the УПД's alone.
        for (const QStringList& args :
             {QStringList{"money", "1"}, QStringList{"prh", "1", "2"}, QStringList{"nkl", "1", "5"},
              QStringList{"nkl", "первая"}, QStringList{"nkl", "1", "2", "--status", "1"},
              QStringList{"nkl", "1", "4", "--status", "3"},
              QStringList{"nkl", "1", "4", "--out", dir.path()}}) {
            const Run r = cli(login + QStringList{"print-doc"} + args + QStringList{"--pdf", pdf});
            QCOMPARE(r.exitCode, 2);
            QVERIFY(r.out.isEmpty());
        }
        const Run missing = cli(login + QStringList{"print-doc", "nkl", "999999", "--pdf", pdf});
        QCOMPARE(missing.exitCode, 1);
        QCOMPARE(missing.err, QStringLiteral("kovrel-cli: there is no document 999999 of kind nkl\n"));
        QVERIFY(!QFile::exists(pdf));
        const Run refused = cli({"--login", "demo@kovrel.local", "--password", "wrong", "print-doc", "nkl",
                                 "1", "--png", dir.filePath(QStringLiteral("pages"))});
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.err.count(QLatin1Char('\n')), 1);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("pages"))));
    }

    // Every sales waybill of the demo's months as an e-document that validates, one new file
    // each, with the journal's sum; the buyer who gave no requisites is named with each of his.
    void updWritesThePeriodsSalesWaybills() {
        BaseURL = server->BaseUrl();
        UseDemoAdmin();
        const QDate today = QDate::currentDate();
        const QDate begin = today.addMonths(-4);
        TFormLoad fl;
        RecordList<TRecDoc> journal;
        fl.SelectNklList(journal, QString(), kovrel::ToDateTime(begin), kovrel::ToDateTime(today));
        QVERIFY(journal.size() > 20);
        QTemporaryDir dir;
        const Run r =
            cli({"--login", "demo@kovrel.local", "--password", "demo2024", "upd", "nkl", "--from",
                 begin.toString(Qt::ISODate), "--to", today.toString(Qt::ISODate), "--out", dir.path()});
        QCOMPARE(r.exitCode, 1); // not every one could be written
        QCOMPARE(r.err, QString());
        const QJsonObject out = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(out.keys(), QStringList({"failed", "files", "ok"}));
        QCOMPARE(out.value(QStringLiteral("ok")), QJsonValue(false));
        const QJsonArray files = out.value(QStringLiteral("files")).toArray();
        const QJsonArray failed = out.value(QStringLiteral("failed")).toArray();
        QCOMPARE(files.size() + failed.size(), qsizetype(journal.size()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), files.size());

        QHash<int, const TRecDoc*> byNumber;
        for (const auto& d : journal)
            byNumber.insert(d->ID, d.get());
        QVERIFY(!failed.isEmpty());
        for (const QJsonValue& f : failed) {
            const TRecDoc* doc = byNumber.value(f[QStringLiteral("number")].toInt());
            QVERIFY(doc);
            QCOMPARE(doc->KlientName, QStringLiteral("Столовая Домашняя"));
            QCOMPARE(f[QStringLiteral("reason")].toString(),
                     QStringLiteral("Заполните в реквизитах покупателя «Столовая Домашняя» «Идентификатор "
                                    "участника ЭДО», «ИНН», «Полное наимен.», «Адрес»"));
        }
        QSet<QString> functions;
        for (const QJsonValue& path : files) {
            const UpdFile file(path.toString());
            QCOMPARE(file.SchemaErrors(), QString());
            QCOMPARE(file.RuleProblems(), QStringList());
            const UpdNode& d = file.Document();
            const TRecDoc* doc = byNumber.value(d.Attr(QStringLiteral("СвСчФакт/@НомерДок")).toInt());
            QVERIFY(doc);
            QVERIFY(doc->KlientName != QStringLiteral("Столовая Домашняя"));
            QCOMPARE(d.Attr(QStringLiteral("ТаблСчФакт/ВсегоОпл/@СтТовУчНалВсего")),
                     kovrel::Money::FromDouble(doc->SumR).ToText());
            functions.insert(d.attrs.value(QStringLiteral("Функция")));
        }
        QCOMPARE(functions, QSet<QString>({QStringLiteral("СЧФДОП")})); // every demo sale carries VAT
    }

    // The participant ID and the unit are operations like any other.
    void participantIdAndUnitByCall() {
        const QStringList login{"--login", "demo@kovrel.local", "--password", "demo2024"};
        Run r =
            cli(login + QStringList{"call", "UpdateEdoID", R"({"ID": 1000000, "EdoID": "2BM-7700000001"})"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        r = cli(login + QStringList{"--format", "tsv", "call", "SelectBank", R"({"ID": 1000000})"});
        QVERIFY2(r.out.split(QLatin1Char('\n')).value(1).endsWith(QStringLiteral("\t2BM-7700000001")),
                 qPrintable(r.out));
        r = cli(login + QStringList{"call", "UpdateGoodUnit", R"({"ID": 1, "OKEI": "166"})"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        r = cli(login + QStringList{"call", "UpdateGoodUnit", R"({"ID": 1, "OKEI": "999"})"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Поле okei: неизвестный код единицы измерения «999»")),
                 qPrintable(r.err));
        // The demo's first item is sold by the piece; now it has the unit given.
        r = cli(login + QStringList{"--format", "tsv", "call", "SelectGoodList", "{}"});
        const QStringList rows = r.out.split(QLatin1Char('\n'));
        QCOMPARE(rows[0].split(QLatin1Char('\t')).last(), QStringLiteral("OKEI"));
        QStringList units;
        for (const QString& row : rows)
            if (row.startsWith(QStringLiteral("1\t"))) units << row.split(QLatin1Char('\t')).last();
        QCOMPARE(units, QStringList{QStringLiteral("166")});
    }

    // One document: its file, or one line on stderr and nothing written; mistakes on the command
    // line are usage errors before anything is sent.
    void updOfOneDocument() {
        BaseURL = server->BaseUrl();
        UseDemoAdmin();
        TFormLoad fl;
        RecordList<TRecDoc> journal;
        fl.SelectNklList(journal, QString(), kovrel::EncodeDate(2000, 1, 1), kovrel::EncodeDate(2100, 1, 1));
        const auto of = [&](bool withRequisites) {
            for (const auto& d : journal)
                if ((d->KlientName == QStringLiteral("Столовая Домашняя")) != withRequisites) return d->ID;
            return 0;
        };
        const QStringList login{"--login", "demo@kovrel.local", "--password", "demo2024"};
        QTemporaryDir dir;
        const Run one = cli(login + QStringList{"upd", "nkl", QString::number(of(true)), "--out", dir.path(),
                                                "--status", "2"});
        QVERIFY2(one.exitCode == 0 && one.err.isEmpty(), qPrintable(one.err));
        const QJsonArray files =
            QJsonDocument::fromJson(one.out.toUtf8()).object().value(QStringLiteral("files")).toArray();
        QCOMPARE(files.size(), 1);
        QCOMPARE(one.out, QStringLiteral("{\n  \"ok\": true,\n  \"files\": [\"%1\"],\n  \"failed\": []\n}\n")
                              .arg(files[0].toString()));
        const UpdFile file(files[0].toString());
        QCOMPARE(file.SchemaErrors(), QString());
        QCOMPARE(file.Document().attrs.value(QStringLiteral("Функция")), QStringLiteral("ДОП"));

        QTemporaryDir empty;
        const QString cafeteria = QString::number(of(false));
        const Run refused = cli(login + QStringList{"upd", "nkl", cafeteria, "--out", empty.path()});
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(
            refused.err,
            QStringLiteral("kovrel-cli: document %1: Заполните в реквизитах покупателя «Столовая Домашняя» "
                           "«Идентификатор участника ЭДО», «ИНН», «Полное наимен.», «Адрес»\n")
                .arg(cafeteria));
        const Run missing = cli(login + QStringList{"upd", "nkl", "999999", "--out", empty.path()});
        QCOMPARE(missing.exitCode, 1);
        QCOMPARE(missing.err,
                 QStringLiteral("kovrel-cli: document 999999: there is no document 999999 of kind nkl\n"));
        QCOMPARE(QDir(empty.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        for (const QStringList& args :
             {QStringList{"upd", "nkl", "1"}, QStringList{"upd", "prh", "1", "--out", empty.path()},
              QStringList{"upd", "nkl", "1", "--out", empty.path(), "--status", "3"},
              QStringList{"upd", "nkl", "--from", "2026-01-01", "--out", empty.path()},
              QStringList{"upd", "nkl", "--from", "2026-02-01", "--to", "2026-01-01", "--out", empty.path()},
              QStringList{"upd", "nkl", "1", "--from", "2026-01-01", "--to", "2026-01-31", "--out",
                          empty.path()},
              QStringList{"upd", "nkl", "1", "--out", empty.filePath(QStringLiteral("нет"))},
              QStringList{"call", "SelectStoreList", "{}", "--out", empty.path()}}) {
            const Run r = cli(login + args);
            QVERIFY2(r.exitCode == 2 && r.out.isEmpty(), qPrintable(args.join(QLatin1Char(' ')) + r.err));
        }
    }
#endif
};

QTEST_GUILESS_MAIN(TestCliServer)
#include "test_cli_server.moc"
