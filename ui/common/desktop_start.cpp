#include "desktop_start.h"

#include "machine_numbers.h"
#include "message_box_interaction.h"
#include "server_wait_window.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

bool LoadQtTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)) {
        std::fprintf(stderr,
                     "kovrel: Qt's Russian translation (qtbase_ru.qm) is not in %s; install "
                     "qt6-translations-l10n\n",
                     qPrintable(folder));
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void PrepareDesktop() {
    kovrel::KeepMachineNumbers();
    if (QCoreApplication* app = QCoreApplication::instance()) LoadQtTranslation(*app);
    SetUserInteraction(std::make_unique<MessageBoxInteraction>());
    InstallWindowWaiter();
}

void FinishDesktop() {
    kovrel::SetRequestWaiter(nullptr);
    SetUserInteraction(nullptr);
}
