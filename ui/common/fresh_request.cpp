#include "fresh_request.h"

#include "user_interaction.h"

QString RefusalText(const TFormLoad& fl) {
    // A write that got a success status other than 200 fails without a line in the log.
    const QString reason = fl.Failed() && !fl.MemoInfo.isEmpty()
                               ? fl.MemoInfo.last()
                               : QStringLiteral("сервер не подтвердил запрос");
    return QStringLiteral("Сервер не выполнил запрос: ") + reason;
}

void ShowRefusal(const TFormLoad& fl) {
    ShowInfo(RefusalText(fl));
}
