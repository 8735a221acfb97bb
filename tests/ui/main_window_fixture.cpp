#include "main_window_fixture.h"

#include "doc_print_forms.h"
#include "request_waiter.h"
#include "server_wait_window.h"
#include "session.h"
#include "settings_file.h"
#include "sign_in.h"
#include "tag_list_box.h"

#include <QFile>

bool MainWindowFixture::StartService() {
    auto demo = std::make_unique<DemoServer>();
    const bool started = demo->StartUnsigned();
    m_error = demo->Error();
    if (started) m_demo = std::move(demo);
    return started;
}

QString MainWindowFixture::NewAccount(const QString& login) {
    const qsizetype before = m_demo->Server().Mail().size();
    kovrel::HttpTransport http;
    const kovrel::AdminPasswordOutcome outcome = kovrel::RequestNewAdminPassword(http, login);
    const QList<QByteArray> mail = m_demo->Server().Mail();
    if (outcome.failed || mail.size() != before + 1) return {};
    return ServerProcess::PasswordIn(mail.last());
}

void MainWindowFixture::Init() {
    Ui = &ScriptedInteraction::Install();
    InstallWindowWaiter();
    WindowSeams() = ProgramWindows();
    DocPrintForms() = ProgramDocPrintForms();
    if (m_demo) BaseURL = m_demo->Server().BaseUrl();
}

void MainWindowFixture::Cleanup() {
    WindowSeams() = ProgramWindows();
    DocPrintForms() = ProgramDocPrintForms();
    ScriptedInteraction::Uninstall();
    kovrel::SetRequestWaiter(nullptr);
    Ui = nullptr;
}

QString MainWindowFixture::SettingsPath() const {
    return m_dir.filePath(QStringLiteral("kovrel.ini"));
}

QByteArray MainWindowFixture::SettingsText() const {
    QFile f(SettingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void MainWindowFixture::RemoveSettings() {
    QFile::remove(SettingsPath());
}

void MainWindowFixture::WriteSettings(const QString& login, const QString& dopLogin, const QString& pas) {
    RemoveSettings();
    TSettingsFile ini(SettingsPath());
    ini.WriteString(QStringLiteral("Config"), QStringLiteral("Login"), login);
    ini.WriteString(QStringLiteral("Config"), QStringLiteral("DopLogin"), dopLogin);
    ini.WriteString(QStringLiteral("Config"), QStringLiteral("Pas"), pas);
}

std::unique_ptr<TMainF> MainWindowFixture::Open(const QString& settingsPath) {
    auto w = std::make_unique<TMainF>(settingsPath.isEmpty() ? SettingsPath() : settingsPath);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) qWarning("main window not exposed");
    return w;
}

std::unique_ptr<TMainF> MainWindowFixture::OpenAs(const QString& login, const QString& dopLogin,
                                                  const QString& pas) {
    WriteSettings(login, dopLogin, pas);
    return Open();
}

void MainWindowFixture::ClickNav(TagListBox* list, int tag) {
    const int row = list->RowOfTag(tag);
    if (row < 0) {
        qWarning("no navigation item with tag %d", tag);
        return;
    }
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}
