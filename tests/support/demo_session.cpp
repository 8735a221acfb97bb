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

bool SetDemoUserRights(const QList<std::pair<int, int>>& codeValues) {
    UseDemoAdmin();
    auto rights = Fetch<TSortedList<TRecUserRights>>(
        [](TFormLoad& f, TSortedList<TRecUserRights>& l) { f.SelectUserRights(1, l); });
    for (const auto& [code, value] : codeValues) {
        TRecUserRights* r = rights.Find(QString::number(code));
        if (!r) return false;
        r->ur = value;
    }
    return Write([&](TFormLoad& f) { return f.UpdateUserRights(1, rights); });
}

namespace {
int onlyId(const RecordList<TRecKlient>& l) {
    return l.size() == 1 ? l.front()->ID : 0;
}
} // namespace

int StoreId(const QString& name) {
    return onlyId(Fetch<RecordList<TRecKlient>>([&](TFormLoad& f, auto& l) { f.SelectStoreList(l, name); }));
}

int CategoryId(const QString& name) {
    return onlyId(Fetch<RecordList<TRecKlient>>([&](TFormLoad& f, auto& l) { f.SelectGroupList(l, name); }));
}
