#include "server_request.h"

#include "form_load.h"
#include "session.h"

ServerReply PostToServer(const QString& endpoint, const kovrel::wire::MultipartForm& form) {
    kovrel::HttpTransport http;
    const kovrel::HttpReply r = kovrel::PostForm(http, endpoint, form);
    return {r.status, r.Text()};
}

ServerReply PostRawToServer(const QString& endpoint, const QByteArray& contentType, const QByteArray& body) {
    kovrel::HttpTransport http;
    const kovrel::HttpReply r = http.Post(BaseURL + endpoint, contentType, body);
    return {r.status, r.Text()};
}

kovrel::wire::MultipartForm AuthForm(const QString& login, const QString& dopLogin, const QString& token) {
    kovrel::wire::MultipartForm f;
    f.AddField(QStringLiteral("login"), login);
    f.AddField(QStringLiteral("dop_login"), dopLogin);
    f.AddField(QStringLiteral("token"), token);
    f.AddField(QStringLiteral("client"), QStringLiteral("W.1.0.1"));
    return f;
}

kovrel::wire::MultipartForm WithFields(kovrel::wire::MultipartForm form,
                                       const QList<QPair<QString, QString>>& fields) {
    for (const auto& [name, value] : fields)
        form.AddField(name, value);
    return form;
}
