#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TSettingsFile;
class TStatusBar;

namespace kovrel {
class HttpTransport;
}

// The sign-in page: the administrator's and the user's logins and the password, kept in the
// settings file; signing in; a new administrator password by mail.
class TRegPage : public QWidget {
    Q_OBJECT
public:
    // `http` is the main window's own client, which does not follow redirects.
    TRegPage(TSettingsFile& settings, TStatusBar& bar, kovrel::HttpTransport& http,
             QWidget* parent = nullptr);

    // Settings file → session values → the three edits.
    void LoadSettings();
    // The three edits, trimmed → session values → settings file.
    void SaveSettings();
    // Signs in with the session values, shows who is signed in and loads the rights. True when
    // the service recognised the person (the green result); otherwise the label says in red
    // why not, and so does panel 1 of the status bar.
    bool SignIn();
    // Asks the service to mail a new administrator password to the login typed.
    void RequestAdminPassword();

    void ButSaveOptionsClick();
    void ButGetPasClick();
    void CBoxVideoClick();

    static const QColor kGood;
    static const QColor kBad;
    static const QString kSignInFailed; // "Вход не выполнен", before the reason

private:
    void setUserInfo(const QString& text, const QColor& color);

    TSettingsFile& m_settings;
    TStatusBar& m_bar;
    kovrel::HttpTransport& m_http;
    QLineEdit* m_login;
    QLineEdit* m_dopLogin;
    QLineEdit* m_pas;
    QCheckBox* m_video;
    QPushButton* m_save;
    QPushButton* m_getPas;
    QLabel* m_userInfo;
};
