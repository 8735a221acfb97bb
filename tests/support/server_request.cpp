#include "server_request.h"

#include "form_load.h"
#include "session.h"

#include <QProcess>

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

AddressedReply PostFrom(const QString& url, const QStringList& curlFields, const QString& from,
                        const QStringList& headers) {
    QStringList args = {QStringLiteral("-s"), QStringLiteral("-i"),          QStringLiteral("--max-time"),
                        QStringLiteral("30"), QStringLiteral("--interface"), from};
    for (const QString& f : curlFields)
        args << QStringLiteral("-F") << f;
    for (const QString& h : headers)
        args << QStringLiteral("-H") << h;
    QProcess curl;
    curl.start(QStringLiteral("curl"), args << url);
    curl.waitForFinished(40000);
    const QByteArray out = curl.readAllStandardOutput();
    const qsizetype end = out.indexOf("\r\n\r\n");
    AddressedReply r;
    if (end < 0) return r;
    const QList<QByteArray> head = out.left(end).split('\n');
    r.status = head.first().split(' ').value(1).toInt();
    for (const QByteArray& line : head)
        if (line.toLower().startsWith("retry-after:")) r.retryAfter = line.mid(12).trimmed().toInt();
    r.text = QString::fromUtf8(out.mid(end + 4));
    return r;
}

AddressedReply SignInFrom(const QString& baseUrl, const QString& login, const QString& dopLogin,
                          const QString& token, const QString& from, const QStringList& headers) {
    return PostFrom(baseUrl + QStringLiteral("/get-lic-v3.php"),
                    {QStringLiteral("login=") + login, QStringLiteral("dop_login=") + dopLogin,
                     QStringLiteral("token=") + token, QStringLiteral("client=W")},
                    from, headers);
}
