#include "user_interaction.h"

#include <QTextStream>

namespace {

class ConsoleInteraction final : public UserInteraction {
public:
    void showInfo(const QString& text) override { err() << "Сообщение: " << text << Qt::endl; }
    bool askYesNo(const QString& text, bool defaultYes) override {
        err() << "Вопрос: " << text << (defaultYes ? " -> Да" : " -> Нет") << Qt::endl;
        return defaultYes;
    }
    // Nobody is there to decide: whatever waits to be decided stays as it is.
    Answer askYesNoCancel(const QString& text) override {
        err() << "Вопрос: " << text << " -> Отмена" << Qt::endl;
        return Answer::Cancel;
    }
    void showError(const QString& text) override { err() << "Ошибка: " << text << Qt::endl; }
    bool openUrl(const QString& url) override {
        err() << "Открыть: " << url << Qt::endl;
        return false;
    }
    QString getOpenFileName(const QString&, const QString&) override { return {}; }
    QString getSaveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString getExistingDirectory(const QString&, const QString&) override { return {}; }

private:
    static QTextStream& err() {
        static QTextStream stream(stderr);
        return stream;
    }
};

std::unique_ptr<UserInteraction>& slot() {
    static std::unique_ptr<UserInteraction> handler = std::make_unique<ConsoleInteraction>();
    return handler;
}

} // namespace

std::unique_ptr<UserInteraction> SetUserInteraction(std::unique_ptr<UserInteraction> handler) {
    if (!handler) handler = std::make_unique<ConsoleInteraction>();
    std::swap(slot(), handler);
    return handler;
}

UserInteraction& CurrentUserInteraction() {
    return *slot();
}

void ShowInfo(const QString& text) {
    CurrentUserInteraction().showInfo(text);
}

bool AskYesNo(const QString& text) {
    return CurrentUserInteraction().askYesNo(text, true);
}

bool AskYesNoDefNo(const QString& text) {
    return CurrentUserInteraction().askYesNo(text, false);
}

UserInteraction::Answer AskYesNoCancel(const QString& text) {
    return CurrentUserInteraction().askYesNoCancel(text);
}
