// The organization editor: the own organization's requisites from the options page, saved whole
// under the fixed identifier, and a refused save that keeps the input.
#include "bank_fields.h"
#include "capture_server.h"
#include "catalog_window_test.h"
#include "form_edit_org.h"
#include "request_fields.h"
#include "tag_list_box.h"

#include <QLineEdit>
#include <QPushButton>

using namespace catalog_test;
using testing::Fields;

namespace {

std::unique_ptr<TRecBank> organization() {
    TFormLoad fl;
    return fl.SelectBank(kOrganizationID);
}

} // namespace

class TestFormEditOrg : public MainWindowTest {
    Q_OBJECT

private Q_SLOTS:
    void optionsPageOpensTheOwnRequisitesAndSavesThemTrimmed() {
        auto w = f.OpenAdmin();
        const auto before = organization();
        QVERIFY(!before->Name.isEmpty());
        MainWindowFixture::ClickNav(w->LBoxOptions, 6);
        WhenShown<TFormEditOrg>([&](TFormEditOrg* e) {
            QCOMPARE(e->windowTitle(), QStringLiteral("Редактирование своей организации"));
            QCOMPARE(e->size(), QSize(484, 561));
            QCOMPARE(e->font().pixelSize(), 13);
            QCOMPARE(e->LocalID, 1000000);
            QList<QPair<QString, QWidget*>> expected;
            for (int i = 0; i < BankLabels().size(); ++i)
                expected.append({BankLabels()[i], e->Fields().Edits()[i]});
            QCOMPARE(LabelledRows(e), expected);
            for (int i = 0; i < BankEdits().size(); ++i) {
                QCOMPARE(e->Fields().Edits()[i]->objectName(), BankEdits()[i]);
                QCOMPARE(e->Fields().Edits()[i]->width(), 320);
                if (i > 0) QCOMPARE(NextTabStop(e->Fields().Edits()[i - 1]), e->Fields().Edits()[i]);
            }
            QCOMPARE(NextTabStop(e->Fields().Edits().last()), e->ButCancel);
            QCOMPARE(NextTabStop(e->ButCancel), e->ButSave);
            QCOMPARE(e->Fields().Edits()[0]->text(), before->Name);
            QCOMPARE(e->Fields().Edits()[13]->text(), before->GBuh);
            QCOMPARE(e->Fields().Edits()[14]->text(), before->EdoID);
            e->Fields().Edits()[8]->setText(QStringLiteral("  +7 (495) 111-22-33 "));
            e->ButSave->click();
            QCOMPARE(e->result(), int(QDialog::Accepted));
        });
        find<QPushButton>(*w, "ButEditOrg")->click();
        const auto after = organization();
        QCOMPARE(after->Tel, QStringLiteral("+7 (495) 111-22-33"));
        QCOMPARE(after->Name, before->Name);
        QCOMPARE(after->Inn, before->Inn);
    }

    void anAccountWithoutRequisitesOpensEmptyAndSendsAllFourteen() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue("[]");
        TFormEditOrg e(nullptr, kOrganizationID);
        for (QLineEdit* edit : e.Fields().Edits())
            QCOMPARE(edit->text(), QString());
        COMPARE_FIELDS(server.Last(), Fields{{"id", "1000000"}});
        e.Fields().Edits()[0]->setText(QStringLiteral(" ООО «Новая» "));
        e.Fields().Edits()[12]->setText(QStringLiteral("Петров П. П."));
        server.Clear();
        e.ButSave->click();
        QCOMPARE(testing::Paths(server.Requests()), QStringList{"/update-bank.php"});
        COMPARE_FIELDS(server.Last(), Fields{{"id", "1000000"},
                                             {"name_win", "ООО «Новая»"},
                                             {"bname_win", ""},
                                             {"rs_win", ""},
                                             {"ks_win", ""},
                                             {"bik_win", ""},
                                             {"inn_win", ""},
                                             {"kpp_win", ""},
                                             {"adres_win", ""},
                                             {"tel_win", ""},
                                             {"okpo_win", ""},
                                             {"ogrn_win", ""},
                                             {"okpd_win", ""},
                                             {"dir_win", "Петров П. П."},
                                             {"gbuh_win", ""}});
        QCOMPARE(e.result(), int(QDialog::Accepted));
    }

    void requisitesThatCouldNotBeReadCannotBeOverwritten() {
        CaptureServer server;
        testing::SetTestSession(server.Url());
        server.Enqueue("сбой", 500);
        TFormEditOrg e(nullptr, kOrganizationID);
        for (QLineEdit* edit : e.Fields().Edits())
            QVERIFY(!edit->isEnabled());
        QVERIFY(!e.ButSave->isEnabled());
        QVERIFY(e.ButCancel->isEnabled());
    }

    void newAccountSavesItsFirstRequisites() {
        const QString login = QStringLiteral("org-editor@shop.ru");
        const QString password = f.NewAccount(login);
        QVERIFY(!password.isEmpty());
        auto w = f.OpenAs(login, QString(), password);
        TFormEditOrg e(w.get(), kOrganizationID);
        for (QLineEdit* edit : e.Fields().Edits())
            QCOMPARE(edit->text(), QString());
        e.Fields().Edits()[5]->setText(QStringLiteral("7703000007"));
        e.ButSave->click();
        QCOMPARE(e.result(), int(QDialog::Accepted));
        QCOMPARE(organization()->Inn, QStringLiteral("7703000007"));
    }

    // A participant ID the service refuses (a character a file name cannot carry) keeps the
    // window open and says why; the requisites sent before it are stored.
    void refusedParticipantIdIsSaidOnce() {
        auto w = f.OpenAdmin();
        const auto before = organization();
        TFormEditOrg e(w.get(), kOrganizationID);
        e.show();
        e.Fields().Edits()[8]->setText(QStringLiteral("+7 (495) 000-00-01"));
        e.Fields().Edits()[14]->setText(QStringLiteral("2BM_7701"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(f.Ui->infos.size(), 1);
        QVERIFY2(f.Ui->infos[0].contains(QStringLiteral("Поле edo_id_win: идентификатор участника ЭДО может "
                                                        "содержать только латинские буквы, цифры и дефис")),
                 qPrintable(f.Ui->infos[0]));
        QCOMPARE(organization()->EdoID, before->EdoID);
        QCOMPARE(organization()->Tel, QStringLiteral("+7 (495) 000-00-01"));
        e.Fields().Edits()[14]->setText(QStringLiteral("2BM-7701"));
        e.ButSave->click();
        QCOMPARE(e.result(), int(QDialog::Accepted));
        QCOMPARE(organization()->EdoID, QStringLiteral("2BM-7701"));
    }

    void refusedSaveKeepsTheWindowOpenWithTheInput() {
        auto w = f.OpenUser(); // may open the editor, but not change the requisites
        TFormEditOrg e(w.get(), kOrganizationID);
        e.show();
        QVERIFY(!e.Fields().Edits()[0]->text().isEmpty()); // reading needs no right
        e.Fields().Edits()[3]->setText(QStringLiteral("30101810400000000225"));
        e.ButSave->click();
        QVERIFY(e.isVisible());
        QCOMPARE(e.Fields().Edits()[3]->text(), QStringLiteral("30101810400000000225"));
        QCOMPARE(f.Ui->infos.size(), 1); // the service's refusal, said once
    }
};

QTEST_MAIN(TestFormEditOrg)
#include "test_form_edit_org.moc"
