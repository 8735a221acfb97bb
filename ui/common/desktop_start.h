#pragma once

class QCoreApplication;

// What the desktop program sets up once the toolkit has started, before the main window:
// numbers written for machines in the C locale's form (kovrel::KeepMachineNumbers), Qt's own
// dialogs in Russian, message boxes as real dialogs, and the waiting window of requests.
void PrepareDesktop();
// Puts back what PrepareDesktop installed, before the toolkit ends.
void FinishDesktop();

// Loads Qt's own Russian translation (qtbase_ru.qm from the system's Qt translations, package
// qt6-translations-l10n) into the application: the buttons and texts of file, print and page
// setup dialogs and of the standard message box buttons. The program speaks Russian whatever
// the locale it runs under. False, with a warning on stderr, when it is not installed.
bool LoadQtTranslation(QCoreApplication& app);
