#include "user_interaction.h"

#include "state_file.h"

#include <QFileInfo>
#include <QTextStream>

#include <array>

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
    QString getOpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString getSaveFileName(const QString&, const QString&, const QString&, const QString&,
                            const QString&) override {
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

QString purposeKey(FileDialogPurpose purpose) {
    switch (purpose) {
    case FileDialogPurpose::Pdf:
        return QStringLiteral("Pdf");
    case FileDialogPurpose::TextExport:
        return QStringLiteral("TextExport");
    case FileDialogPurpose::Import:
        return QStringLiteral("Import");
    case FileDialogPurpose::EDocument:
        return QStringLiteral("EDocument");
    }
    return {};
}

// The folders chosen in this run, for runs without a state file.
QString& runFolder(FileDialogPurpose purpose) {
    static std::array<QString, 4> folders;
    return folders[static_cast<size_t>(purpose)];
}

void rememberFolder(FileDialogPurpose purpose, const QString& folder) {
    if (folder.isEmpty()) return;
    runFolder(purpose) = folder;
    if (TStateFile* state = CurrentStateFile()) state->SetFolder(purposeKey(purpose), folder);
}

void rememberFileFolder(FileDialogPurpose purpose, const QString& path) {
    if (!path.isEmpty()) rememberFolder(purpose, QFileInfo(path).absolutePath());
}

} // namespace

QString LastFolder(FileDialogPurpose purpose) {
    if (const TStateFile* state = CurrentStateFile()) {
        const QString kept = state->Folder(purposeKey(purpose));
        if (!kept.isEmpty()) return kept;
    }
    return runFolder(purpose);
}

QString AskOpenFileName(FileDialogPurpose purpose, const QString& title, const QString& filter) {
    const QString path = CurrentUserInteraction().getOpenFileName(title, filter, LastFolder(purpose));
    rememberFileFolder(purpose, path);
    return path;
}

QString AskSaveFileName(FileDialogPurpose purpose, const QString& title, const QString& filter,
                        const QString& suggestedName, const QString& defaultExtension) {
    const QString path = CurrentUserInteraction().getSaveFileName(title, filter, suggestedName,
                                                                  defaultExtension, LastFolder(purpose));
    rememberFileFolder(purpose, path);
    return path;
}

QString AskFolder(FileDialogPurpose purpose, const QString& title, const QString& fallback) {
    const QString last = LastFolder(purpose);
    const QString folder =
        CurrentUserInteraction().getExistingDirectory(title, last.isEmpty() ? fallback : last);
    rememberFolder(purpose, folder);
    return folder;
}

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
