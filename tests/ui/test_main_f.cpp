// The main window against the real service: start-up, sign-in, settings, navigation by rights,
// the About and options pages.
#include "about_page.h"
#include "access_checks.h"
#include "click_label.h"
#include "date_picker.h"
#include "date_time.h"
#include "main_window_test.h"
#include "options_page.h"
#include "program_version.h"
#include "reg_page.h"
#include "rep_dolg_page.h"
#include "rep_move_good_page.h"
#include "rep_ost_page.h"
#include "session.h"
#include "status_bar.h"
#include "tag_list_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTemporaryDir>

namespace {

const QString kDenied = QStringLiteral("Доступ запрещен. ");
const QString kUserLoginWanted = QStringLiteral("Требуется указать корректный логин и пароль пользователя !");
const QString kAdminPasWanted = QStringLiteral("Требуется указать корректный пароль администратора !");

QColor textColor(QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// An address nothing listens on.
QString deadService() {
    return QStringLiteral("http://127.0.0.1:9");
}

QString pageName(TMainF& w) {
    return w.CurrentPage()->objectName();
}

} // namespace

class TestMainF : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void startUpEndsOnTheAboutPageSignedIn() {
        const TDateTime before = kovrel::Now();
        auto w = f.OpenAdmin();
        QCOMPARE(pageName(*w), QStringLiteral("TSAbout"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kovrel"));
        QCOMPARE(find<QLabel>(*w, "LabName")->text(),
                 QStringLiteral("Kovrel") + VersionText(ProgramVersion()));
        QVERIFY(find<QLabel>(*w, "LabName")->text().startsWith(QStringLiteral("Kovrel 2024 R")));
        QCOMPARE(ClientTag, ClientTagOf(ProgramVersion()));

        QLabel* info = find<QLabel>(*w, "LabUserInfo");
        QCOMPARE(info->text(), QStringLiteral("Пользователь: Администратор"));
        QCOMPARE(textColor(info), TRegPage::kGood);
        QCOMPARE(w->SBarInfo->PanelText(0), QStringLiteral("Ok !"));
        QCOMPARE(SignInState.flagAdmin, 1);
        QCOMPARE(find<QLineEdit>(*w, "EdLogin")->text(), DemoLogins::Admin);
        QCOMPARE(find<QLineEdit>(*w, "EdPas")->text(), DemoLogins::AdminPassword);

        // Periods: this month; the debts report: tomorrow; nothing chosen anywhere.
        const QDate today = kovrel::DateOf(before);
        const QDate first(today.year(), today.month(), 1);
        for (const char* name : {"DTPBeginPrh", "DTPBeginMoney", "DTPBeginRMG", "DTPBeginRMK", "DTPBeginRPD"})
            QCOMPARE(find<TDatePicker>(*w, name)->date(), first);
        for (const char* name : {"DTPEndNkl", "DTPEndVnk", "DTPEndRSS", "DTPEndRSD", "DTPEndRPS"})
            QCOMPARE(find<TDatePicker>(*w, name)->date(), first.addMonths(1));
        QCOMPARE(find<TDatePicker>(*w, "DTPRepDolg")->date(), kovrel::DateOf(before + 1));
        for (const char* name :
             {"LabGoodRMG", "LabKlientRSS", "LabKlientRPS", "LabKlientRSD", "LabKlientRPD", "LabKlientRMK"})
            QCOMPARE(find<QLabel>(*w, name)->text(), QString());
        QCOMPARE(w->TSRepMoveGood->SelGoodIDRMG, -1);
        QCOMPARE(w->SelID, -1);
        QCOMPARE(w->SelGr, -1);
        QCOMPARE(find<QComboBox>(*w, "ComBoxTypeKl")->currentIndex(), 0);
    }

    void navigationListsCarryTheirTags() {
        auto w = f.OpenAdmin();
        const auto itemsOf = [](TagListBox* list) {
            QStringList items;
            for (int r = 0; r < list->count(); ++r)
                items << QStringLiteral("%1:%2").arg(list->TagAt(r)).arg(list->item(r)->text());
            return items;
        };
        QCOMPARE(itemsOf(w->LBoxDoc),
                 (QStringList{"1:Приходные накладные", "2:Расходные накладные", "5:Заказы (счета)",
                              "3:Внутренние накладные", "4:Операции с деньгами"}));
        QCOMPARE(itemsOf(w->LBoxRep),
                 (QStringList{"1:Остатки товаров", "2:Карточка перемещений товара", "3:Структура продаж",
                              "4:Динамика продаж", "5:Долги и остатки денег", "6:Карточка взаиморасчетов",
                              "7:Структура покупок", "8:Динамика покупок"}));
        QCOMPARE(itemsOf(w->LBoxOptions),
                 (QStringList{"1:Список товаров", "7:Список комплектов", "8:Список категорий",
                              "2:Покупатели, поставщики, счета...", "10:Список менеджеров",
                              "3:Список складов", "9:Список пользователей", "6:Настройки",
                              "4:Регистрация и доступ", "5:О программе"}));
    }

    // Later parts of the program and the tools find the journals' and reports' controls by name.
    void pageControlsAreFoundByTheirNames() {
        auto w = f.OpenAdmin();
        QStringList missing;
        const auto need = [&](const QStringList& names) {
            for (const QString& n : names)
                if (!w->findChild<QWidget*>(n)) missing << n;
        };
        for (const char* kind : {"Prh", "Nkl", "Invoice", "Vnk", "Money"}) {
            QStringList names;
            for (const char* part :
                 {"TS", "SG", "EdFind", "DTPBegin", "DTPEnd", "ButIns", "ButEdit", "ButDel", "ButRef"})
                names << QString::fromLatin1(part) + QString::fromLatin1(kind);
            need(names);
        }
        need({"ButPayPrh", "ButPayNkl", "ButPayInvoice"});
        need({"TSRepOst", "SGRepOst", "CBoxKol", "CBoxKolPack", "CBoxZCen", "CBoxZCenAvg", "CBoxZSum",
              "CBoxCen", "CBoxSum", "CBoxZero", "EdOstName", "ComBoxStore", "ComBoxPrintOst", "ButRefRepOst",
              "ButPrintRepOst"});
        need({"TSRepMoveGood", "SGRepMoveGood", "DTPBeginRMG", "DTPEndRMG", "ComBoxStoreRMG", "ButSelGoodRMG",
              "LabGoodRMG", "ButRefRMG", "ButPrintRepMoveGood"});
        need({"TSRepSaleSt", "SGRepSaleSt", "DTPBeginRSS", "DTPEndRSS", "ComBoxManagerRSS", "ComBoxStoreRSS",
              "ButSelKlientRSS", "LabKlientRSS", "EdNameRSS", "CBoxKolRSS", "CBoxKolPackRSS", "CBoxZSumRSS",
              "CBoxSumRSS", "CBoxNacRSS", "ButRefRSS", "ButPrintRepSaleSt"});
        need({"TSRepSaleDynam", "SGRepSaleDynam", "DTPBeginRSD", "DTPEndRSD", "ComBoxManagerRSD",
              "ComBoxStoreRSD", "ButSelKlientRSD", "LabKlientRSD", "ComBoxDetalRSD", "CBoxKolRSD",
              "CBoxSumRSD", "CBoxZSumRSD", "CBoxNacRSD", "ButRefRSD", "ButPrintRepSaleDynam"});
        need({"TSRepPrhSt", "SGRepPrhSt", "DTPBeginRPS", "DTPEndRPS", "ComBoxStoreRPS", "ButSelKlientRPS",
              "LabKlientRPS", "EdNameRPS", "CBoxKolRPS", "CBoxKolPackRPS", "CBoxZCenAvgRPS", "CBoxZSumRPS",
              "ButRefRPS", "ButPrintRepPrhSt"});
        need({"TSRepPrhDynam", "SGRepPrhDynam", "DTPBeginRPD", "DTPEndRPD", "ComBoxStoreRPD",
              "ButSelKlientRPD", "LabKlientRPD", "ComBoxDetalRPD", "CBoxKolRPD", "CBoxZSumRPD", "ButRefRPD",
              "ButPrintRepPrhDynam"});
        need({"TSRepDolg", "SGRepDolg", "DTPRepDolg", "ComBoxGrRepDolg", "ComBoxManagerRepDolg",
              "ButRefRepDolg", "ButPrintRepDolg"});
        need({"TSRepMoveKlient", "SGRepMoveKlient", "DTPBeginRMK", "DTPEndRMK", "ButSelKlientRMK",
              "LabKlientRMK", "ButRefRepMoveKlient", "ButPrintRepMoveKlient"});
        need({"CategoryPanelGroup1", "CPanelExchange", "CPanelRep", "CPanelOptions", "Splitter1", "PageC",
              "SBarInfo", "Image1", "TSOptions", "ButEditOrg", "ButBackup"});
        QCOMPARE(missing, QStringList());
        // Start states of the parameter lists.
        QCOMPARE(find<QComboBox>(*w, "ComBoxDetalRSD")->currentText(), QStringLiteral("день"));
        QCOMPARE(find<QComboBox>(*w, "ComBoxGrRepDolg")->currentText(),
                 QStringLiteral("Покупатели и поставщики"));
        QCOMPARE(find<QComboBox>(*w, "ComBoxPrintOst")->currentText(), QStringLiteral("портрет"));
        QVERIFY(find<QCheckBox>(*w, "CBoxZSumRPS")->isChecked());
        QVERIFY(!find<QCheckBox>(*w, "CBoxNacRSS")->isChecked());
    }

    void signInOutcomesShowInTheirColours_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("dopLogin");
        QTest::addColumn<QString>("pas");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("good");
        QTest::addColumn<int>("flagAdmin");
        QTest::newRow("administrator") << DemoLogins::Admin << QString() << DemoLogins::AdminPassword
                                       << QStringLiteral("Пользователь: Администратор") << true << 1;
        QTest::newRow("administrator, wrong password")
            << DemoLogins::Admin << QString() << QStringLiteral("wrong") << kAdminPasWanted << false << 1;
        QTest::newRow("user") << DemoLogins::Admin << DemoLogins::User << DemoLogins::UserPassword
                              << QStringLiteral("Пользователь: ") + DemoLogins::UserName << true << 0;
        QTest::newRow("user, wrong password") << DemoLogins::Admin << DemoLogins::User
                                              << DemoLogins::AdminPassword << kUserLoginWanted << false << 0;
        QTest::newRow("nothing typed")
            << QString() << QString() << QString() << kUserLoginWanted << false << 0;
    }
    void signInOutcomesShowInTheirColours() {
        QFETCH(QString, login);
        QFETCH(QString, dopLogin);
        QFETCH(QString, pas);
        QFETCH(QString, label);
        QFETCH(bool, good);
        QFETCH(int, flagAdmin);
        auto w = f.OpenAs(login, dopLogin, pas);
        QLabel* info = find<QLabel>(*w, "LabUserInfo");
        QCOMPARE(info->text(), label);
        QCOMPARE(textColor(info), good ? TRegPage::kGood : TRegPage::kBad);
        QCOMPARE(SignInState.flagAdmin, flagAdmin);
        // A sign-in that did not succeed opens its own page instead of the About page.
        QCOMPARE(pageName(*w), good ? QStringLiteral("TSAbout") : QStringLiteral("TSReg"));
        QCOMPARE(w->SBarInfo->PanelText(1),
                 good ? QStringLiteral("Ответ получен.") : QStringLiteral("Вход не выполнен: ") + label);
    }

    void firstStartWithoutSettingsFileSignsInEmpty() {
        f.RemoveSettings();
        auto w = f.Open();
        for (const char* name : {"EdLogin", "EdDopLogin", "EdPas"})
            QCOMPARE(find<QLineEdit>(*w, name)->text(), QString());
        QCOMPARE(find<QLabel>(*w, "LabUserInfo")->text(), kUserLoginWanted);
        QVERIFY(f.SettingsText().isEmpty()); // reading creates nothing
    }

    void registrationItemSignsInAgain() {
        auto w = f.OpenAdmin();
        SignInState = TSignInRec();
        MainWindowFixture::ClickNav(w->LBoxOptions, 4);
        QCOMPARE(pageName(*w), QStringLiteral("TSReg"));
        QCOMPARE(SignInState.flagAdmin, 1);
        QCOMPARE(SignInState.testAdminPas, 1);
    }

    void failedSignInKeepsTheSessionAndSaysWhy() {
        auto w = f.OpenAdmin();
        BaseURL = deadService();
        MainWindowFixture::ClickNav(w->LBoxOptions, 4);
        QCOMPARE(SignInState.flagAdmin, 1);
        QVERIFY(CheckRight(1001, false)); // still the administrator on this side
        QLabel* info = find<QLabel>(*w, "LabUserInfo");
        const QString failed = QStringLiteral("Вход не выполнен: ") + w->SBarInfo->SimpleText;
        QVERIFY(w->SBarInfo->SimpleText.contains(QStringLiteral("127.0.0.1")));
        QCOMPARE(info->text(), failed);
        QCOMPARE(textColor(info), TRegPage::kBad);
        QCOMPARE(w->SBarInfo->PanelText(1), failed);
    }

    void startUpWithTheServiceDownOpensTheSignInPage() {
        BaseURL = deadService();
        auto w = f.OpenAdmin();
        QCOMPARE(pageName(*w), QStringLiteral("TSReg"));
        QLabel* info = find<QLabel>(*w, "LabUserInfo");
        QVERIFY(info->text().startsWith(QStringLiteral("Вход не выполнен: ")));
        QCOMPARE(textColor(info), TRegPage::kBad);
        QCOMPARE(w->SBarInfo->PanelText(1), info->text());
        QCOMPARE(UserRights.Count(), 0);
    }

    void savingSettingsTrimsAndDropsTheDuplicateLogin() {
        auto w = f.OpenAs(QStringLiteral("x@y.ru"), QString(), QStringLiteral("bad"));
        QCOMPARE(find<QLabel>(*w, "LabUserInfo")->text(), kUserLoginWanted);
        const QString typed = QStringLiteral("  ") + DemoLogins::Admin + QStringLiteral(" ");
        find<QLineEdit>(*w, "EdLogin")->setText(typed);
        find<QLineEdit>(*w, "EdDopLogin")->setText(DemoLogins::Admin + QStringLiteral("\t"));
        find<QLineEdit>(*w, "EdPas")
            ->setText(QStringLiteral(" ") + DemoLogins::AdminPassword + QStringLiteral("  "));
        find<QPushButton>(*w, "ButSaveOptions")->click();
        QCOMPARE(f.SettingsText(), ("[Config]\nLogin=" + DemoLogins::Admin +
                                    "\nDopLogin=\nPas=" + DemoLogins::AdminPassword + "\n")
                                       .toUtf8());
        QCOMPARE(Login, DemoLogins::Admin);
        QCOMPARE(DopLogin, QString());
        QCOMPARE(Token, DemoLogins::AdminPassword);
        QCOMPARE(find<QLineEdit>(*w, "EdLogin")->text(), typed); // the edits keep what was typed
        QCOMPARE(find<QLabel>(*w, "LabUserInfo")->text(), QStringLiteral("Пользователь: Администратор"));

        // A blank inside stays; typing alone sends and stores nothing.
        find<QLineEdit>(*w, "EdDopLogin")->setText(QStringLiteral(" kassa @kovrel.local "));
        QCOMPARE(DopLogin, QString());
        find<QPushButton>(*w, "ButSaveOptions")->click();
        QCOMPARE(DopLogin, QStringLiteral("kassa @kovrel.local"));
        QCOMPARE(find<QLabel>(*w, "LabUserInfo")->text(), kUserLoginWanted);
    }

    void settingsThatCannotBeWrittenAreSaidSoAndStillUsed() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString path = blocker.fileName() + QStringLiteral("/kovrel.ini");
        auto w = f.Open(path);
        find<QLineEdit>(*w, "EdLogin")->setText(DemoLogins::Admin);
        find<QLineEdit>(*w, "EdPas")->setText(DemoLogins::AdminPassword);
        find<QPushButton>(*w, "ButSaveOptions")->click();
        QCOMPARE(f.Ui->infos, QStringList{QStringLiteral("Не удалось записать настройки в файл ") + path +
                                          QStringLiteral(". Они действуют до закрытия программы.")});
        QCOMPARE(find<QLabel>(*w, "LabUserInfo")->text(), QStringLiteral("Пользователь: Администратор"));
    }

    void newPasswordNeedsAUsableAddress() {
        auto w = f.OpenAdmin();
        QLineEdit* login = find<QLineEdit>(*w, "EdLogin");
        QPushButton* getPas = find<QPushButton>(*w, "ButGetPas");
        const qsizetype mailBefore = f.Service().Mail().size();
        const QString refusal =
            QStringLiteral("Требуется указать корректный адрес электронной почты. На этот "
                           "адрес Вам будет выслан пароль для доступа.");
        for (const QString& bad :
             {QStringLiteral("a@b.c"), QStringLiteral(" a@b.c "), QStringLiteral("nobody-at-example.com"),
              QStringLiteral("nobody@example_com")}) {
            login->setText(bad);
            getPas->click();
            QCOMPARE(f.Ui->infos.takeLast(), refusal);
        }
        QCOMPARE(f.Service().Mail().size(), mailBefore);
        QCOMPARE(find<QLineEdit>(*w, "EdPas")->text(), DemoLogins::AdminPassword);
        QVERIFY(getPas->isEnabled());

        login->setText(QStringLiteral(" a@b.cd "));
        getPas->click();
        QCOMPARE(
            f.Ui->infos.takeLast(),
            QStringLiteral("Запрос на новый пароль отправлен на сервер. Проверьте свою электронную почту."));
        QCOMPARE(f.Service().Mail().size(), mailBefore + 1);
        QCOMPARE(ServerProcess::HeaderOf(f.Service().Mail().last(), "To"), QByteArray("a@b.cd"));
        QVERIFY(w->SBarInfo->PanelText(0).startsWith(QStringLiteral("Ok ! ")));
        QVERIFY(w->SBarInfo->PanelText(0).size() > 5);
        QCOMPARE(find<QLineEdit>(*w, "EdPas")->text(), QString());
        QCOMPARE(f.SettingsText(), QByteArray("[Config]\nLogin=a@b.cd\nDopLogin=\nPas=\n"));
        QCOMPARE(find<QLabel>(*w, "LabUserInfo")->text(), QStringLiteral("Пользователь: Администратор"));
        QVERIFY(getPas->isEnabled());
    }

    void newPasswordRequestFailureIsReported() {
        auto w = f.OpenAdmin();
        BaseURL = deadService();
        find<QLineEdit>(*w, "EdLogin")->setText(QStringLiteral("owner@shop.ru"));
        find<QPushButton>(*w, "ButGetPas")->click();
        QCOMPARE(
            f.Ui->infos.takeLast(),
            QStringLiteral("Ошибка при отправке запроса. Повторите доступ к интернету и повторите запрос."));
        QVERIFY(w->SBarInfo->PanelText(1).contains(QStringLiteral("127.0.0.1")));
    }

    void passwordShowsAsStarsUntilAskedOtherwise() {
        auto w = f.OpenAdmin();
        QLineEdit* pas = find<QLineEdit>(*w, "EdPas");
        QCOMPARE(pas->echoMode(), QLineEdit::Password);
        QCOMPARE(pas->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, pas), int('*'));
        QCheckBox* video = find<QCheckBox>(*w, "CBoxVideo");
        QCOMPARE(video->text(), QStringLiteral("показать пароль"));
        video->click();
        QCOMPARE(pas->echoMode(), QLineEdit::Normal);
        video->click();
        QCOMPARE(pas->echoMode(), QLineEdit::Password);
    }

    void aboutLinksAskFirst() {
        auto w = f.OpenAdmin();
        ClickLabel* web = find<ClickLabel>(*w, "LabWeb");
        ClickLabel* mail = find<ClickLabel>(*w, "LabMail");
        f.Ui->answers << false << true << true;
        QTest::mouseClick(web, Qt::LeftButton);
        QVERIFY(f.Ui->openedUrls.isEmpty());
        QTest::mouseClick(web, Qt::LeftButton);
        QTest::mouseClick(mail, Qt::LeftButton);
        QCOMPARE(f.Ui->questions, (QStringList{QStringLiteral("Открыть сайт программы в интернете ?"),
                                               QStringLiteral("Открыть сайт программы в интернете ?"),
                                               QStringLiteral("Написать письмо автору программы ?")}));
        QCOMPARE(f.Ui->questionDefaults, (QList<bool>{true, true, true}));
        QCOMPARE(f.Ui->openedUrls, (QStringList{TAboutPage::WebAddress(),
                                                QStringLiteral("mailto:") + TAboutPage::MailAddress() +
                                                    QStringLiteral("?subject=Программа Kovrel")}));
        QCOMPARE(web->text(), QStringLiteral("Сайт программы - ") + TAboutPage::WebAddress());
    }

    void everyItemOpensItsPageOrRefusesByTheUsersRights_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("page"); // empty: refused
        const auto row = [](const char* list, int tag, const char* page) {
            QTest::addRow("%s %d", list, tag)
                << QString::fromLatin1(list) << tag << QString::fromLatin1(page);
        };
        row("LBoxDoc", 1, "");
        row("LBoxDoc", 2, "TSNkl");
        row("LBoxDoc", 5, "TSInvoice");
        row("LBoxDoc", 3, "");
        row("LBoxDoc", 4, "");
        row("LBoxRep", 1, "TSRepOst");
        for (int tag = 2; tag <= 8; ++tag)
            row("LBoxRep", tag, "");
        row("LBoxOptions", 1, "TSGood");
        row("LBoxOptions", 7, "TSNorm");
        row("LBoxOptions", 8, "TSGroup");
        row("LBoxOptions", 2, "TSKlient");
        row("LBoxOptions", 10, "TSManager");
        row("LBoxOptions", 3, "TSStore");
        row("LBoxOptions", 9, "");
        row("LBoxOptions", 6, "TSOptions");
        row("LBoxOptions", 4, "TSReg");
        row("LBoxOptions", 5, "TSAbout");
    }
    void everyItemOpensItsPageOrRefusesByTheUsersRights() {
        QFETCH(QString, list);
        QFETCH(int, tag);
        QFETCH(QString, page);
        auto w = f.OpenUser();
        QCOMPARE(find<QLabel>(*w, "LabUserInfo")->text(),
                 QStringLiteral("Пользователь: ") + DemoLogins::UserName);
        w->ShowPage(w->TSOptions);
        MainWindowFixture::ClickNav(w->findChild<TagListBox*>(list), tag);
        if (page.isEmpty()) {
            QCOMPARE(f.Ui->infos, QStringList{kDenied});
            QCOMPARE(pageName(*w), QStringLiteral("TSOptions"));
        } else {
            QCOMPARE(f.Ui->infos, QStringList());
            QCOMPARE(pageName(*w), page);
        }
        // One entry is highlighted across the three lists: the page's, not a refused one.
        QStringList highlighted;
        for (TagListBox* l : {w->LBoxDoc, w->LBoxRep, w->LBoxOptions})
            for (const QListWidgetItem* item : l->selectedItems())
                highlighted << item->text();
        const QString clicked =
            w->findChild<TagListBox*>(list)->item(w->findChild<TagListBox*>(list)->RowOfTag(tag))->text();
        QCOMPARE(highlighted, QStringList{page.isEmpty() ? QStringLiteral("Настройки") : clicked});
    }

    void administratorOpensEverything() {
        auto w = f.OpenAdmin();
        for (TagListBox* list : {w->LBoxDoc, w->LBoxRep, w->LBoxOptions}) {
            for (int r = 0; r < list->count(); ++r) {
                w->ShowPage(w->TSAbout);
                MainWindowFixture::ClickNav(list, list->TagAt(r));
                QVERIFY2(f.Ui->infos.isEmpty(), qPrintable(list->item(r)->text()));
            }
        }
        QCOMPARE(pageName(*w), QStringLiteral("TSAbout")); // the last item is "О программе"
    }

    void purchasePriceBoxesStayDisabledWithoutTheRight() {
        auto w = f.OpenUser();
        QCheckBox* zcen = find<QCheckBox>(*w, "CBoxZCen");
        zcen->setChecked(true);
        MainWindowFixture::ClickNav(w->LBoxRep, 1);
        QCOMPARE(pageName(*w), QStringLiteral("TSRepOst"));
        for (const char* name : {"CBoxZCen", "CBoxZCenAvg", "CBoxZSum"}) {
            QVERIFY(!find<QCheckBox>(*w, name)->isChecked());
            QVERIFY(!find<QCheckBox>(*w, name)->isEnabled());
        }
        QVERIFY(find<QCheckBox>(*w, "CBoxKol")->isEnabled());
        QVERIFY(find<QCheckBox>(*w, "CBoxKol")->isChecked());
        QComboBox* stores = find<QComboBox>(*w, "ComBoxStore");
        QVERIFY(stores->count() >= 1);
        QCOMPARE(stores->itemText(0), QStringLiteral("(все)"));
        QCOMPARE(stores->itemData(0).toInt(), -1);
        QCOMPARE(stores->currentIndex(), 0);

        // The administrator's boxes stay enabled.
        auto admin = f.OpenAdmin();
        MainWindowFixture::ClickNav(admin->LBoxRep, 1);
        QVERIFY(find<QCheckBox>(*admin, "CBoxZCen")->isEnabled());
    }

    void usersPageAndBackupAreTheAdministrators() {
        auto w = f.OpenUser();
        w->ShowPage(w->TSOptions);
        find<QPushButton>(*w, "ButBackup")->click();
        QCOMPARE(f.Ui->infos, QStringList{kDenied});
        QVERIFY(f.Ui->openedUrls.isEmpty());
        QCOMPARE(pageName(*w), QStringLiteral("TSOptions"));
    }

    void backupOpensTheDownloadAddress() {
        auto w = f.OpenAdmin();
        MainWindowFixture::ClickNav(w->LBoxOptions, 6);
        find<QPushButton>(*w, "ButBackup")->click();
        const QString address = w->SBarInfo->PanelText(1);
        QVERIFY2(address.startsWith(QStringLiteral("http")), qPrintable(address));
        QCOMPARE(f.Ui->openedUrls, QStringList{address});
    }

    void onlyWebAddressesGoToTheBrowser() {
        QVERIFY(TOptionsPage::IsDownloadAddress(QStringLiteral("https://host/backup/a1b2.sqlite")));
        QVERIFY(TOptionsPage::IsDownloadAddress(QStringLiteral("http://127.0.0.1:8088/dl?k=1")));
        QVERIFY(!TOptionsPage::IsDownloadAddress(QStringLiteral("Ошибка: нет доступа")));
        QVERIFY(!TOptionsPage::IsDownloadAddress(QStringLiteral("file:///etc/passwd")));
        QVERIFY(!TOptionsPage::IsDownloadAddress(QStringLiteral("/home/user/run.sh")));
        QVERIFY(!TOptionsPage::IsDownloadAddress(QString()));
    }

    void organizationButtonOpensTheEditorOnTheOwnRequisites() {
        int opened = -1;
        WindowSeams().FormEditOrg = [&](QWidget*, int id) {
            opened = id;
            return 0;
        };
        auto w = f.OpenUser(); // no right is needed
        find<QPushButton>(*w, "ButEditOrg")->click();
        QCOMPARE(opened, 1000000);
    }

    void reportPickersTakeWhatTheSlotHolds() {
        auto w = f.OpenAdmin();
        WindowSeams().FormListGood = [](QWidget*, TSelectionSlot& slot, const TListGoodArgs& args) {
            if (args.SelMode != 1 || args.FlagIns || args.SelCodeStore != -1) return 0;
            slot.SelName = QStringLiteral("Гвозди");
            slot.SelID = 42;
            return 1;
        };
        find<QPushButton>(*w, "ButSelGoodRMG")->click();
        QCOMPARE(w->TSRepMoveGood->SelGoodIDRMG, 42);
        QCOMPARE(find<QLabel>(*w, "LabGoodRMG")->text(), QStringLiteral("Гвозди"));
        // Closed without a choice: nothing chosen, whatever was chosen before.
        WindowSeams().FormListGood = [](QWidget*, TSelectionSlot&, const TListGoodArgs&) { return 0; };
        find<QPushButton>(*w, "ButSelGoodRMG")->click();
        QCOMPARE(w->TSRepMoveGood->SelGoodIDRMG, -1);
        QCOMPARE(find<QLabel>(*w, "LabGoodRMG")->text(), QString());
    }
};

QTEST_MAIN(TestMainF)
#include "test_main_f.moc"
