#include "demo_session.h"

#include "server_process.h"
#include "server_request.h"
#include "session.h"

#include <QProcess>

namespace {
// The logins of kovrel-server --demo (README.md).
const QString kDemoAdmin = QStringLiteral("demo@kovrel.local");
} // namespace

void UseSession(const QString& login, const QString& dopLogin, const QString& token) {
    Login = login;
    DopLogin = dopLogin;
    Token = token;
}

void UseDemoAdmin() {
    UseSession(kDemoAdmin, QString(), QStringLiteral("demo2024"));
}

void UseDemoUser() {
    UseSession(kDemoAdmin, QStringLiteral("kassa@kovrel.local"), QStringLiteral("kassa2024"));
}

QString NewAccountPassword(const ServerProcess& server, const QString& login) {
    const qsizetype before = server.Mail().size();
    kovrel::wire::MultipartForm f;
    f.AddField(QStringLiteral("login"), login);
    if (PostToServer(QStringLiteral("/create-db.php"), f).status != 200) return {};
    const auto mail = server.Mail();
    return mail.size() == before + 1 ? ServerProcess::PasswordIn(mail.last()) : QString();
}

Download DownloadUrl(const QString& url) {
    QProcess curl;
    curl.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--path-as-is"),
                                        QStringLiteral("-w"), QStringLiteral("\n%{http_code}"), url});
    if (!curl.waitForFinished(30000)) return {};
    QByteArray out = curl.readAllStandardOutput();
    const qsizetype cut = out.lastIndexOf('\n');
    return {out.mid(cut + 1).toInt(), out.left(cut)};
}
