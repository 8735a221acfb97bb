#include "fresh_request.h"

#include "status_bar.h"
#include "user_interaction.h"

QString RefusalText(const TFormLoad& fl) {
    return fl.Failure() ? fl.Failure()->text : QStringLiteral("Сервер не подтвердил запрос");
}

void ShowRefusal(const TFormLoad& fl) {
    ShowInfo(RefusalText(fl));
}

void ShowChangeFailure(const TFormLoad& fl, bool reread) {
    if (!fl.Failure() || !fl.Failure()->outcomeUnknown) {
        ShowRefusal(fl);
        return;
    }
    ShowInfo(RefusalText(fl) + QLatin1Char('\n') +
             (reread ? kovrel::kUnknownOutcome : kovrel::kUnknownUnread));
}

TChange ChangeOnFreshRequest(const std::function<bool(TFormLoad&)>& change, TStatusBar* bar, int panel,
                             const std::function<bool()>& reread) {
    std::optional<TServerWait> wait;
    if (bar) wait.emplace(*bar, panel);
    TFormLoad fl;
    TChange result;
    result.done = change(fl);
    if (result.done) return result;
    const std::optional<kovrel::RequestFailure>& failure = fl.Failure();
    if (wait && failure) wait->Fail(*failure);
    wait.reset();
    result.unknown = failure && failure->outcomeUnknown;
    if (!result.unknown) {
        ShowRefusal(fl);
        return result;
    }
    const bool shown = !reread || reread();
    if (bar) bar->SetPanelText(panel, failure->text); // the read again said "Ответ получен."
    ShowChangeFailure(fl, shown);
    return result;
}
