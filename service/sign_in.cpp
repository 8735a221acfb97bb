#include "sign_in.h"

#include "form_load.h"
#include "request_failure.h"

namespace kovrel {

namespace {

// A failure of the transport or the HTTP layer, as the window reports it.
bool failedReply(const HttpReply& reply) {
    return !reply.delivered || reply.status >= 300 || reply.status < 200;
}

// The failure as a person reads it; the technical text is of no use on the sign-in page.
QString failureText(const HttpReply& reply) {
    return FailureOfReply(reply, BaseURL).text;
}

} // namespace

SignInOutcome SignInRequest(HttpTransport& http) {
    SignInOutcome outcome;
    const HttpReply reply = PostForm(http, QStringLiteral("/get-lic-v3.php"), TFormLoad::NewForm());
    if (failedReply(reply)) {
        outcome.failed = true;
        outcome.unreachable = !reply.delivered;
        outcome.failure = failureText(reply);
        outcome.technical = FailureMessage(reply);
        return outcome;
    }
    outcome.status = reply.status;
    ApplySignInReply(TrimControl(reply.Text()), SignInState);
    return outcome;
}

void ApplySignInReply(const QString& replyText, TSignInRec& state) {
    try {
        const wire::ReplyElement e(wire::ParseObject(replyText));
        state.testAdminLogin = e.Int(QLatin1StringView("test_admin_login"));
        state.testAdminPas = e.Int(QLatin1StringView("test_admin_pas"));
        state.flagAdmin = e.Int(QLatin1StringView("flag_admin"));
        state.userName = e.Text(QLatin1StringView("user_name"));
        state.userID = e.Int(QLatin1StringView("user_id"));
    } catch (const wire::ReplyError&) {
        // Unreadable replies leave the state as far as it was read; the window shows the rest.
    }
}

SignInVerdict VerdictOf(const TSignInRec& state) {
    if (state.flagAdmin == 1) {
        if (state.testAdminPas == 1) return {QStringLiteral("Пользователь: Администратор"), true};
        return {QStringLiteral("Требуется указать корректный пароль администратора !"), false};
    }
    if (state.userID != 0) return {QStringLiteral("Пользователь: ") + state.userName, true};
    return {QStringLiteral("Требуется указать корректный логин и пароль пользователя !"), false};
}

void LoadSignInRights() {
    {
        TFormLoad fl;
        fl.SelectUserRights(SignInState.userID, UserRights);
    }
    TFormLoad fl;
    fl.SelectStoreRightsOnUser(SignInState.userID, StoreRights);
}

void ClearSignInRights() {
    CreateSortedList(UserRights, 2048);
    CreateSortedList(StoreRights, 2048);
}

bool IsUsableMailAddress(const QString& text) {
    return text.size() >= 6 && text.contains(QLatin1Char('@')) && text.contains(QLatin1Char('.'));
}

AdminPasswordOutcome RequestNewAdminPassword(HttpTransport& http, const QString& login) {
    wire::MultipartForm form;
    form.AddField(QStringLiteral("login"), login);
    const HttpReply reply = PostForm(http, QStringLiteral("/create-db.php"), form);
    AdminPasswordOutcome outcome;
    if (failedReply(reply)) {
        outcome.failed = true;
        outcome.failure = failureText(reply);
        return outcome;
    }
    outcome.status = reply.status;
    outcome.text = TrimControl(reply.Text());
    return outcome;
}

} // namespace kovrel
