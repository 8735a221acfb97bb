#include "options_page.h"

#include "access_checks.h"
#include "controls.h"
#include "form_load.h"
#include "rec_klient.h"
#include "session.h"
#include "status_bar.h"
#include "user_interaction.h"
#include "window_seams.h"

#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TOptionsPage::TOptionsPage(TStatusBar& bar, QWidget* parent)
    : QWidget(parent)
    , m_bar(bar) {
    setObjectName(QStringLiteral("TSOptions"));
    QPushButton* org = MakeButton(this, "ButEditOrg", QStringLiteral("Реквизиты своей организации"), 300);
    QPushButton* backup =
        MakeButton(this, "ButBackup", QStringLiteral("Скачать резервную копию базы данных"), 300);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(org);
    layout->addWidget(backup);
    layout->addStretch(1);
    connect(org, &QPushButton::clicked, this, &TOptionsPage::ButEditOrgClick);
    connect(backup, &QPushButton::clicked, this, &TOptionsPage::ButBackupClick);
}

void TOptionsPage::ButEditOrgClick() {
    WindowSeams().FormEditOrg(window(), kOrganizationID);
}

void TOptionsPage::ButBackupClick() {
    if (SignInState.flagAdmin != 1) {
        ShowInfo(QString::fromUtf8(kAccessDenied));
        return;
    }
    m_bar.SetPanelText(1, QStringLiteral("Создание резервной копии ..."), true);
    QString address;
    {
        TFormLoad fl;
        address = fl.RunBlackup();
        // A backup that was not made must not leave an empty panel behind: it says why.
        if (fl.Failure()) address = fl.Failure()->text;
    }
    m_bar.SetPanelText(1, address);
    if (IsDownloadAddress(address.trimmed())) CurrentUserInteraction().openUrl(address.trimmed());
}

bool TOptionsPage::IsDownloadAddress(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}
