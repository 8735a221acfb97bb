#pragma once

#include "user_interaction.h"

#include <QQueue>
#include <QStringList>

// Stands in for the person at the screen: records every message and question, answers
// questions from a queue (or with a fixed answer), never blocks. Install() puts a fresh one in
// place and returns its state; Uninstall() goes back to the console handler.
class ScriptedInteraction final : public UserInteraction {
public:
    struct State {
        QStringList infos;
        QStringList errors;
        QStringList questions;
        QList<bool> questionDefaults; // true when Yes was preselected
        QStringList openedUrls;
        QQueue<bool> answers;
        bool defaultAnswer = true;
        // Answers to the questions with "Отмена" (askYesNoCancel); they are listed in
        // `questions` too, with Yes preselected.
        QQueue<UserInteraction::Answer> choices;
        UserInteraction::Answer defaultChoice = UserInteraction::Answer::Cancel;
        QQueue<QString> fileNames;
        QStringList fileDialogs;   // title and filter of each file dialog, as "title|filter"
        QStringList saveProposals; // proposed name and default extension of each save dialog, as "name|ext"
        QStringList folderDialogs; // title and start folder of each folder dialog, as "title|folder"
        QStringList startFolders;  // where each file dialog (open or save) started
    };

    // The handler is owned by the global slot; tests keep a pointer to its shared state.
    static State& Install();
    static void Uninstall();

    void showInfo(const QString& text) override { s().infos << text; }
    bool askYesNo(const QString& text, bool defaultYes) override {
        s().questions << text;
        s().questionDefaults << defaultYes;
        return s().answers.isEmpty() ? s().defaultAnswer : s().answers.dequeue();
    }
    Answer askYesNoCancel(const QString& text) override {
        s().questions << text;
        s().questionDefaults << true;
        return s().choices.isEmpty() ? s().defaultChoice : s().choices.dequeue();
    }
    void showError(const QString& text) override { s().errors << text; }
    bool openUrl(const QString& url) override {
        s().openedUrls << url;
        return true;
    }
    QString getOpenFileName(const QString& title, const QString& filter,
                            const QString& startFolder) override {
        s().fileDialogs << title + QLatin1Char('|') + filter;
        s().startFolders << startFolder;
        return s().fileNames.isEmpty() ? QString() : s().fileNames.dequeue();
    }
    QString getSaveFileName(const QString& title, const QString& filter, const QString& suggestedName,
                            const QString& defaultExtension, const QString& startFolder) override {
        s().fileDialogs << title + QLatin1Char('|') + filter;
        s().startFolders << startFolder;
        s().saveProposals << suggestedName + QLatin1Char('|') + defaultExtension;
        return s().fileNames.isEmpty() ? QString() : s().fileNames.dequeue();
    }
    // Answered from `fileNames` too.
    QString getExistingDirectory(const QString& title, const QString& startFolder) override {
        s().folderDialogs << title + QLatin1Char('|') + startFolder;
        return s().fileNames.isEmpty() ? QString() : s().fileNames.dequeue();
    }

private:
    static State& s();
};
