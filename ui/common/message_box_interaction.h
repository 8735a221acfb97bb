#pragma once

#include "user_interaction.h"

#include <memory>

class QMessageBox;
class QWidget;

// The program's real dialogs: message boxes with the captions "Сообщение" and "Вопрос", file
// dialogs and the desktop's "open".
class MessageBoxInteraction final : public UserInteraction {
public:
    void showInfo(const QString& text) override;
    bool askYesNo(const QString& text, bool defaultYes) override;
    Answer askYesNoCancel(const QString& text) override;
    void showError(const QString& text) override;
    bool openUrl(const QString& url) override;
    QString getOpenFileName(const QString& title, const QString& filter, const QString& startFolder) override;
    QString getSaveFileName(const QString& title, const QString& filter, const QString& suggestedName,
                            const QString& defaultExtension, const QString& startFolder) override;
    QString getExistingDirectory(const QString& title, const QString& startFolder) override;

    // The question box of askYesNoCancel: "Да", "Нет", "Отмена", "Да" preselected, Escape for
    // "Отмена".
    static std::unique_ptr<QMessageBox> YesNoCancelBox(const QString& text, QWidget* owner);

    // File filters may be written "Description|pattern|Description|pattern"; this gives the
    // dialogs' "Description (pattern);;…" form. Filters already in that form pass unchanged.
    static QString DialogFilter(const QString& filter);
};
