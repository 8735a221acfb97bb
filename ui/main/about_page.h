#pragma once

#include <QWidget>

class ClickLabel;
class QLabel;

// The About page: the program's name and version, what it is, and how to reach its makers.
class TAboutPage : public QWidget {
    Q_OBJECT
public:
    explicit TAboutPage(QWidget* parent = nullptr);

    // " 2024 R… (сборка …)" after the name, or nothing.
    void SetVersionText(const QString& versionText);

    void LabWebClick();
    void LabMailClick();

    // Shown on the page and opened by its links; set by the build.
    static QString WebAddress();
    static QString MailAddress();
    static QString Phones();
    // The version of the program's package: the project's version, as the packages carry it.
    static QString PackageVersion();

private:
    QLabel* m_image;
    QLabel* m_name;
    QLabel* m_info;
    QLabel* m_tel;
    ClickLabel* m_web;
    ClickLabel* m_mail;
    QLabel* m_package;
};
