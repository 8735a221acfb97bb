#include "reg_page.h"

#include "controls.h"
#include "list_keys.h"
#include "server_wait.h"
#include "session.h"
#include "settings_file.h"
#include "sign_in.h"
#include "status_bar.h"
#include "user_interaction.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Config");
const QString kLoginKey = QStringLiteral("Login");
const QString kDopLoginKey = QStringLiteral("DopLogin");
const QString kPasKey = QStringLiteral("Pas");

constexpr int kEditWidth = 300;

} // namespace

const QColor TRegPage::kGood = QColor(0, 128, 0);
const QColor TRegPage::kBad = QColor(255, 0, 0);
const QString TRegPage::kSignInFailed = QStringLiteral("Вход не выполнен");

TRegPage::TRegPage(TSettingsFile& settings, TStatusBar& bar, kovrel::HttpTransport& http, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_bar(bar)
    , m_http(http)
    , m_login(MakeEdit(this, "EdLogin", kEditWidth))
    , m_dopLogin(MakeEdit(this, "EdDopLogin", kEditWidth))
    , m_pas(MakeEdit(this, "EdPas", kEditWidth))
    , m_video(MakeCheck(this, "CBoxVideo", QStringLiteral("показать пароль"), false))
    , m_save(MakeButton(this, "ButSaveOptions", QStringLiteral("Сохранить настройки"), 300))
    , m_getPas(MakeButton(this, "ButGetPas", QStringLiteral("Получить новый пароль администратора"), 300))
    , m_userInfo(MakeLabel(this, QStringLiteral("***"), "LabUserInfo")) {
    setObjectName(QStringLiteral("TSReg"));
    m_pas->setEchoMode(QLineEdit::Password);
    m_pas->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*" for each character
    QLabel* instruction = MakeLabel(
        this,
        QStringLiteral("Для получения доступа надо указать адрес электронной почты в качестве логина. После "
                       "нажатия кнопки \"Получить новый пароль\" на указанный адрес будет выслано письмо с "
                       "паролем. Полученный пароль надо ввести в поле пароля и сохранить настройки."));
    instruction->setWordWrap(true);
    instruction->setMaximumWidth(600);

    // The instruction stands above the fields in a layout of its own, which gives a wrapped
    // text the height it needs at the width it gets.
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(24, 24, 24, 24);
    page->addWidget(instruction);
    auto* grid = new QGridLayout;
    page->addLayout(grid);
    page->addStretch(1);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(MakeLabel(this, QStringLiteral("Логин/E-mail администратора")), 1, 0);
    grid->addWidget(m_login, 1, 1);
    grid->addWidget(MakeLabel(this, QStringLiteral("Логин/E-mail пользователя")), 2, 0);
    grid->addWidget(m_dopLogin, 2, 1);
    grid->addWidget(MakeLabel(this, QStringLiteral("Пароль")), 3, 0);
    grid->addWidget(m_pas, 3, 1);
    grid->addWidget(m_video, 3, 2);
    grid->addWidget(m_save, 4, 1);
    grid->addWidget(m_getPas, 5, 1);
    grid->addWidget(m_userInfo, 6, 0, 1, 3);
    grid->setColumnStretch(3, 1);

    connect(m_save, &QPushButton::clicked, this, &TRegPage::ButSaveOptionsClick);
    // Enter in any of the three boxes signs in as the button does.
    for (QLineEdit* box : {m_login, m_dopLogin, m_pas})
        connect(box, &QLineEdit::returnPressed, this, &TRegPage::ButSaveOptionsClick);
    SetKeyTip(m_save, QStringLiteral("Enter"));
    connect(m_getPas, &QPushButton::clicked, this, &TRegPage::ButGetPasClick);
    connect(m_video, &QCheckBox::toggled, this, &TRegPage::CBoxVideoClick);
}

void TRegPage::LoadSettings() {
    Login = m_settings.ReadString(kSection, kLoginKey);
    DopLogin = m_settings.ReadString(kSection, kDopLoginKey);
    Token = m_settings.ReadString(kSection, kPasKey);
    m_login->setText(Login);
    m_dopLogin->setText(DopLogin);
    m_pas->setText(Token);
}

void TRegPage::SaveSettings() {
    Login = m_login->text().trimmed();
    DopLogin = m_dopLogin->text().trimmed();
    Token = m_pas->text().trimmed();
    // An administrator who types his own login as user login works as the administrator.
    if (DopLogin == Login) DopLogin.clear();
    const bool written = m_settings.WriteString(kSection, kLoginKey, Login) &&
                         m_settings.WriteString(kSection, kDopLoginKey, DopLogin) &&
                         m_settings.WriteString(kSection, kPasKey, Token);
    if (!written)
        ShowInfo(QStringLiteral("Не удалось записать настройки в файл ") + m_settings.Path() +
                 QStringLiteral(". Они действуют до закрытия программы."));
}

bool TRegPage::SignIn() {
    TServerWait wait(m_bar, 1);
    const kovrel::SignInOutcome outcome = kovrel::SignInRequest(m_http);
    bool signedIn = false;
    if (outcome.failed) {
        // The earlier sign-in stays in force on this side; the page says this one did not happen.
        m_bar.SimpleText = outcome.failure;
        setUserInfo(kSignInFailed + QStringLiteral(": ") + outcome.failure, kBad);
        wait.Finish(kSignInFailed + QStringLiteral(": ") + outcome.failure);
    } else {
        if (outcome.status == 200) m_bar.SetPanelText(0, QStringLiteral("Ok !"));
        const kovrel::SignInVerdict verdict = kovrel::VerdictOf(SignInState);
        setUserInfo(verdict.text, verdict.success ? kGood : kBad);
        signedIn = verdict.success;
        if (!signedIn) wait.Finish(kSignInFailed + QStringLiteral(": ") + verdict.text);
    }
    // Whatever happened: the rights lists exist afterwards, empty when the service is not there.
    if (outcome.unreachable)
        kovrel::ClearSignInRights();
    else
        kovrel::LoadSignInRights();
    return signedIn;
}

void TRegPage::setUserInfo(const QString& text, const QColor& color) {
    m_userInfo->setText(text);
    QPalette p = m_userInfo->palette();
    p.setColor(QPalette::WindowText, color);
    m_userInfo->setPalette(p);
}

void TRegPage::RequestAdminPassword() {
    const QString login = m_login->text().trimmed();
    m_getPas->setEnabled(false);
    if (!kovrel::IsUsableMailAddress(login)) {
        ShowInfo(
            QStringLiteral("Требуется указать корректный адрес электронной почты. На этот адрес Вам будет "
                           "выслан пароль для доступа."));
    } else {
        m_pas->clear();
        SaveSettings();
        const kovrel::AdminPasswordOutcome outcome = kovrel::RequestNewAdminPassword(m_http, login);
        if (!outcome.failed && outcome.status == 200) {
            m_bar.SetPanelText(0, QStringLiteral("Ok ! ") + outcome.text);
            ShowInfo(QStringLiteral(
                "Запрос на новый пароль отправлен на сервер. Проверьте свою электронную почту."));
        } else {
            if (outcome.failed) m_bar.SetPanelText(1, outcome.failure);
            ShowInfo(QStringLiteral(
                "Ошибка при отправке запроса. Повторите доступ к интернету и повторите запрос."));
        }
    }
    m_getPas->setEnabled(true);
}

void TRegPage::ButSaveOptionsClick() {
    SaveSettings();
    SignIn();
}

void TRegPage::ButGetPasClick() {
    RequestAdminPassword();
}

void TRegPage::CBoxVideoClick() {
    m_pas->setEchoMode(m_video->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
}
