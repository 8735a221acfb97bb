#pragma once

#include "demo_seed.h"
#include "demo_server.h"
#include "main_f.h"
#include "scripted_interaction.h"
#include "window_seams.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TagListBox;

// The demo account the service creates with --demo: its administrator and a cashier who may
// sell and take orders and see the stock report, nothing else.
namespace DemoLogins {
using namespace kovrel::server;
inline const QString& Admin = Demo::AdminLogin;
inline const QString& AdminPassword = Demo::AdminPassword;
inline const QString& User = Demo::UserLogin;
inline const QString& UserPassword = Demo::UserPassword;
inline const QString& UserName = Demo::UserName;
} // namespace DemoLogins

// The real service on a fresh database and main windows started against it offscreen, with a
// settings file of their own and message boxes answered by the script.
class MainWindowFixture {
public:
    // Starts kovrel-server --demo; false with Error() when it does not come up.
    bool StartService();
    QString Error() const { return m_error; }
    ServerProcess& Service() { return m_demo->Server(); }

    // A new, empty account of the service: its administrator's password, read from the mail
    // the service sends; empty when none came.
    QString NewAccount(const QString& login);

    // A settings file holding these values.
    void WriteSettings(const QString& login, const QString& dopLogin, const QString& pas);
    void RemoveSettings();
    QString SettingsPath() const;
    QByteArray SettingsText() const;

    // A main window started (signed in with the settings file, or the one named) and shown.
    std::unique_ptr<TMainF> Open(const QString& settingsPath = QString());
    std::unique_ptr<TMainF> OpenAs(const QString& login, const QString& dopLogin, const QString& pas);
    std::unique_ptr<TMainF> OpenAdmin() {
        return OpenAs(DemoLogins::Admin, QString(), DemoLogins::AdminPassword);
    }
    std::unique_ptr<TMainF> OpenUser() {
        return OpenAs(DemoLogins::Admin, DemoLogins::User, DemoLogins::UserPassword);
    }

    // Clicks the item with the tag in a navigation list, as the user would.
    static void ClickNav(TagListBox* list, int tag);

    template <class T>
    static T* Find(QWidget* window, const char* name) {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        if (!w) qWarning("no control %s", name);
        return w;
    }

    ScriptedInteraction::State* Ui = nullptr;

    // Per test: fresh message script, the program's own windows, the service's address.
    void Init();
    void Cleanup();

private:
    std::unique_ptr<DemoServer> m_demo;
    QTemporaryDir m_dir;
    QString m_error;
};
