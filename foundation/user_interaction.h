#pragma once

#include <QString>

#include <memory>

// Everything through which the program asks the person at the screen: message boxes, file
// dialogs and the desktop's "open". The windowing layer installs real dialogs; tests install a
// scripted handler so that nothing ever blocks. Without a handler, messages go to stderr and
// questions get their default answer.
class UserInteraction {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserInteraction() = default;
    virtual void showInfo(const QString& text) = 0;
    // `defaultYes` selects which button is preselected.
    virtual bool askYesNo(const QString& text, bool defaultYes) = 0;
    // Yes, No and Cancel, Yes preselected; Escape answers Cancel.
    virtual Answer askYesNoCancel(const QString& text) = 0;
    // An error that nothing else handles, shown in the toolkit's general error box.
    virtual void showError(const QString& text) = 0;
    // The desktop's "open" verb for a web or mail address; false when nothing could open it.
    virtual bool openUrl(const QString& url) = 0;
    // Empty when the user cancels. The dialogs start in `startFolder` (their own choice when it
    // is empty).
    virtual QString getOpenFileName(const QString& title, const QString& filter,
                                    const QString& startFolder) = 0;
    // `defaultExtension` (without the dot) is added to a name typed without one.
    virtual QString getSaveFileName(const QString& title, const QString& filter, const QString& suggestedName,
                                    const QString& defaultExtension, const QString& startFolder) = 0;
    // A folder to write files into, the dialog starting in `startFolder`; empty when the user
    // cancels.
    virtual QString getExistingDirectory(const QString& title, const QString& startFolder) = 0;
};

// What a file dialog is for. Each purpose starts in the folder it chose last: in this run, and
// across runs while a state file is installed (state_file.h).
// (The workbook export has no dialog: it writes into the documents folder and opens the book.)
enum class FileDialogPurpose { Pdf, TextExport, Import, EDocument };

// The handler's dialogs for a purpose, remembering the chosen folder; empty when cancelled.
QString AskOpenFileName(FileDialogPurpose purpose, const QString& title, const QString& filter);
QString AskSaveFileName(FileDialogPurpose purpose, const QString& title, const QString& filter,
                        const QString& suggestedName, const QString& defaultExtension);
// Starts in `fallback` until a folder has been chosen for the purpose.
QString AskFolder(FileDialogPurpose purpose, const QString& title, const QString& fallback);
// Where the next dialog of the purpose starts; empty when none has chosen yet.
QString LastFolder(FileDialogPurpose purpose);

// Installs a handler and returns the previous one.
std::unique_ptr<UserInteraction> SetUserInteraction(std::unique_ptr<UserInteraction> handler);
UserInteraction& CurrentUserInteraction();

// Information box, caption "Сообщение", OK.
void ShowInfo(const QString& text);
// Question box, caption "Вопрос", Yes and No, Yes preselected.
bool AskYesNo(const QString& text);
// As AskYesNo with No preselected (asked before deletions).
bool AskYesNoDefNo(const QString& text);
// Question box, caption "Вопрос", "Да", "Нет" and "Отмена", "Да" preselected.
UserInteraction::Answer AskYesNoCancel(const QString& text);
