#include "about_page.h"

#include "click_label.h"
#include "controls.h"
#include "user_interaction.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

namespace {

QFont pixelFont(const QFont& base, int pixels) {
    QFont f = base;
    f.setPixelSize(pixels);
    return f;
}

// The product logo: a warehouse shelf of three boxes on a rounded tile.
QPixmap logo(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x5d, 0x8a));
    p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
    const double u = size / 12.0;
    p.setBrush(QColor(0xf2, 0xb1, 0x34));
    p.drawRect(QRectF(2 * u, 6 * u, 3.5 * u, 3.5 * u));
    p.drawRect(QRectF(6.5 * u, 6 * u, 3.5 * u, 3.5 * u));
    p.drawRect(QRectF(4.25 * u, 2.5 * u, 3.5 * u, 3.5 * u));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5 * u, 9.5 * u, 9 * u, 0.6 * u));
    return pm;
}

} // namespace

TAboutPage::TAboutPage(QWidget* parent)
    : QWidget(parent)
    , m_image(MakeLabel(this, QString(), "Image1"))
    , m_name(MakeLabel(this, QStringLiteral("Kovrel"), "LabName"))
    , m_info(MakeLabel(this, QStringLiteral("Программа складского и финансового учета"), "LabInfo"))
    , m_tel(MakeLabel(this, QStringLiteral("Телефоны для консультаций ") + Phones(), "LabTel"))
    , m_web(new ClickLabel(this))
    , m_mail(new ClickLabel(this))
    , m_package(MakeLabel(this, QStringLiteral("Версия пакета: ") + PackageVersion(), "LabPackage")) {
    setObjectName(QStringLiteral("TSAbout"));
    m_web->setObjectName(QStringLiteral("LabWeb"));
    m_web->setText(QStringLiteral("Сайт программы - ") + WebAddress());
    m_mail->setObjectName(QStringLiteral("LabMail"));
    m_mail->setText(QStringLiteral("Электронная почта - ") + MailAddress());

    m_image->setFixedSize(120, 120);
    m_image->setScaledContents(true);
    m_image->setPixmap(logo(120));
    m_name->setFont(pixelFont(font(), 27));
    m_info->setFont(pixelFont(font(), 16));
    for (QLabel* l : {static_cast<QLabel*>(m_tel), static_cast<QLabel*>(m_web), static_cast<QLabel*>(m_mail)})
        l->setFont(pixelFont(font(), 15));
    QPalette link = m_web->palette();
    link.setColor(QPalette::WindowText, palette().color(QPalette::Link));
    m_web->setPalette(link);
    m_mail->setPalette(link);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(40, 40, 40, 40);
    grid->setHorizontalSpacing(24);
    grid->addWidget(m_image, 0, 0, 6, 1, Qt::AlignTop);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(m_info, 1, 1);
    grid->addWidget(m_tel, 2, 1);
    grid->addWidget(m_web, 3, 1);
    grid->addWidget(m_mail, 4, 1);
    grid->addWidget(m_package, 5, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);

    connect(m_web, &ClickLabel::Clicked, this, &TAboutPage::LabWebClick);
    connect(m_mail, &ClickLabel::Clicked, this, &TAboutPage::LabMailClick);
}

void TAboutPage::SetVersionText(const QString& versionText) {
    m_name->setText(QStringLiteral("Kovrel") + versionText);
}

void TAboutPage::LabWebClick() {
    if (AskYesNo(QStringLiteral("Открыть сайт программы в интернете ?")))
        CurrentUserInteraction().openUrl(WebAddress());
}

void TAboutPage::LabMailClick() {
    if (AskYesNo(QStringLiteral("Написать письмо автору программы ?")))
        CurrentUserInteraction().openUrl(QStringLiteral("mailto:") + MailAddress() +
                                         QStringLiteral("?subject=Программа Kovrel"));
}

QString TAboutPage::WebAddress() {
    return QStringLiteral(KOVREL_WEB_ADDRESS);
}

QString TAboutPage::MailAddress() {
    return QStringLiteral(KOVREL_MAIL_ADDRESS);
}

QString TAboutPage::PackageVersion() {
    return QStringLiteral(KOVREL_PACKAGE_VERSION);
}

QString TAboutPage::Phones() {
    return QStringLiteral(KOVREL_SUPPORT_PHONES);
}
