#include "server_tools.h"

#include "accounts.h"
#include "backup.h"
#include "backup_file.h"
#include "database.h"
#include "mailer.h"
#include "private_files.h"
#include "restore.h"
#include "server_app.h"
#include "server_options.h"
#include "server_services.h"
#include "sign_in_store.h"
#include "store_error.h"
#include "transaction.h"

#include <QFileInfo>

#include <cstdio>

namespace kovrel::server {

namespace {

int fail(const QString& why) {
    std::fprintf(stderr, "kovrel-server: %s\n",
                 qPrintable(QString(why).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    return 1;
}

int done(const QString& what) {
    std::printf("%s\n", qPrintable(what));
    return 0;
}

int verify(const ServerOptions& o) {
    if (const auto damage = BackupFile::Damage(o.file)) return fail(o.file + QStringLiteral(": ") + *damage);
    return done(QStringLiteral("%1: intact").arg(o.file));
}

int backup(ServerServices& s, const ServerOptions& o) {
    Transaction tx(s.db, Transaction::Mode::Read);
    auto account = s.db.Query(QStringLiteral("SELECT id, login FROM accounts WHERE login_key = ?"))
                       .Bind(Accounts::LoginKey(o.account))
                       .Run();
    if (!account.Next()) return fail(QStringLiteral("there is no account %1").arg(o.account));
    const QString folder = QFileInfo(o.file).absolutePath();
    if (!QFileInfo::exists(folder) && !MakePrivateFolder(folder))
        return fail(QStringLiteral("cannot create the folder %1").arg(folder));
    Backup(s.db, s.dataDir).Write(account.Int64(0), account.Text(1), o.file);
    tx.Commit();
    return done(QStringLiteral("backup of %1 written to %2").arg(account.Text(1), o.file));
}

int restore(ServerServices& s, const ServerOptions& o) {
    QString damage;
    const auto file = BackupFile::Read(o.file, &damage);
    if (!file) return fail(o.file + QStringLiteral(": ") + damage);
    try {
        const Restore::Result r = Restore(s.db, s.accounts).Run(*file, o.account);
        return done(QStringLiteral("%1 restored into account %2: %3 rows; new passwords mailed to %4")
                        .arg(o.file, o.account)
                        .arg(r.rows)
                        .arg(r.mailed.join(QStringLiteral(", "))));
    } catch (const RestoreError& e) {
        return fail(o.file + QStringLiteral(": ") + QString::fromStdString(e.what()));
    } catch (const MailError& e) {
        return fail(QStringLiteral("not restored: a new password could not be mailed: %1").arg(e.what()));
    }
}

int unlock(ServerServices& s, const ServerOptions& o) {
    SignInStore(s.db).Unlock(Accounts::LoginKey(o.unlockLogin));
    return done(QStringLiteral("sign-in throttling of %1 cleared").arg(o.unlockLogin));
}

} // namespace

int RunServerTool(const ServerOptions& options) {
    if (options.task == ServerOptions::Task::VerifyBackup) return verify(options);
    ServerApp app(options, nullptr);
    QString error;
    if (!app.Open(&error)) return fail(error);
    try {
        switch (options.task) {
        case ServerOptions::Task::Backup:
            return backup(app.Services(), options);
        case ServerOptions::Task::Restore:
            return restore(app.Services(), options);
        case ServerOptions::Task::Unlock:
            return unlock(app.Services(), options);
        default:
            return fail(QStringLiteral("nothing to do"));
        }
    } catch (const StoreError& e) {
        return fail(e.DiskFull() ? QStringLiteral("the disk is full: %1").arg(e.Message()) : e.Message());
    } catch (const FileError& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace kovrel::server
