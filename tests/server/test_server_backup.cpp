// Backups made from the command line and restored into a new database: the real kovrel-server
// binary as an operator runs it (--backup, --restore, --verify-only), the restored account
// served by another server on its own database, and every reply compared byte for byte.
#include "all_endpoints.h"
#include "demo_server.h"
#include "demo_session.h"
#include "endpoint_registry.h"
#include "server_request.h"
#include "session.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kDemo = QStringLiteral("demo@kovrel.local");
const QString kKassa = QStringLiteral("kassa@kovrel.local");

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run tool(const QStringList& args) {
    QProcess p;
    p.start(ServerProcess::Binary(), args);
    Run r;
    if (!p.waitForFinished(180000)) return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// --db, --data-dir and --outbox of a server on that database, for a tool.
QStringList on(const TestDatabase& db) {
    return {QStringLiteral("--db"),       db.Argument(),
            QStringLiteral("--data-dir"), db.Folder(),
            QStringLiteral("--outbox"),   QDir(db.Folder()).filePath(QStringLiteral("outbox"))};
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A backup whose schema and tables are changed, with a checksum made anew, in the key order the
// server writes: a file that is intact but says something else.
QByteArray resealed(const QByteArray& backup, int schema, const std::function<void(QJsonObject&)>& change) {
    const QJsonObject o =
        QJsonDocument::fromJson(backup.left(backup.lastIndexOf(",\"sha256\":\"")) + '}').object();
    QJsonObject tables = o.value("tables").toObject();
    change(tables);
    const QByteArray account = QJsonDocument(QJsonArray{o.value("account")}).toJson(QJsonDocument::Compact);
    const QByteArray body =
        "{\"format\":\"kovrel-backup\",\"version\":2,\"schema\":" + QByteArray::number(schema) +
        ",\"account\":" + account.mid(1, account.size() - 2) + ",\"created\":\"" +
        o.value("created").toString().toLatin1() +
        "\",\"tables\":" + QJsonDocument(tables).toJson(QJsonDocument::Compact);
    return body + ",\"sha256\":\"" + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() +
           "\"}";
}

// `tables` without the column `column` of `table`: the shape of a schema before the step that
// added it.
void dropColumn(QJsonObject& tables, const QString& table, const QString& column) {
    QJsonObject t = tables.value(table).toObject();
    QJsonArray columns = t.value("columns").toArray();
    const qsizetype at = columns.toVariantList().indexOf(column);
    if (at < 0) return;
    columns.removeAt(at);
    QJsonArray rows;
    for (const QJsonValue& row : t.value("rows").toArray()) {
        QJsonArray cells = row.toArray();
        cells.removeAt(at);
        rows.append(cells);
    }
    t.insert("columns", columns);
    t.insert("rows", rows);
    tables.insert(table, t);
}

int schemaOf(const QByteArray& backup) {
    return QJsonDocument::fromJson(backup.left(backup.lastIndexOf(",\"sha256\"")) + '}')
        .object()
        .value("schema")
        .toInt();
}

using Fields = QList<QPair<QString, QString>>;

// Fields enough for every read of the service that the client makes; each endpoint reads those
// it needs.
Fields readFields(const QString& store) {
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    return {{QStringLiteral("find_win"), QString()},
            {QStringLiteral("upname_win"), QString()},
            {QStringLiteral("flag_zero"), QStringLiteral("0")},
            {QStringLiteral("flag_norm"), QStringLiteral("0")},
            {QStringLiteral("type_kl"), QStringLiteral("1")},
            {QStringLiteral("code_store"), store},
            {QStringLiteral("dat"), today},
            {QStringLiteral("dat_begin"), QStringLiteral("2000-01-01")},
            {QStringLiteral("dat_end"), today},
            {QStringLiteral("code_manager"), QStringLiteral("0")},
            {QStringLiteral("code_detal"), QStringLiteral("1")}};
}

// A reply with every number written to twelve significant digits.
QByteArray roundedNumbers(const QString& reply) {
    const std::function<QJsonValue(const QJsonValue&)> round = [&](const QJsonValue& v) -> QJsonValue {
        if (v.isDouble()) return QString::number(v.toDouble(), 'g', 12);
        if (v.isArray()) {
            QJsonArray out;
            for (const QJsonValue& e : v.toArray())
                out.append(round(e));
            return out;
        }
        if (v.isObject()) {
            QJsonObject out;
            const QJsonObject o = v.toObject();
            for (auto it = o.begin(); it != o.end(); ++it)
                out.insert(it.key(), round(it.value()));
            return out;
        }
        return v;
    };
    return QJsonDocument(round(QJsonDocument::fromJson(reply.toUtf8()).array()).toArray()).toJson();
}

// Where two replies part, for a failure's message.
QString firstDifference(const QString& a, const QString& b) {
    qsizetype at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    return QStringLiteral("from %1: %2 | %3").arg(at).arg(a.mid(at - 80, 160), b.mid(at - 80, 160));
}

// The read endpoints whose replies are the account's data.
QStringList readEndpoints() {
    kovrel::server::EndpointRegistry routes;
    kovrel::server::RegisterAllEndpoints(routes);
    QStringList out;
    for (const QString& path : routes.Paths()) {
        const kovrel::server::Route* r = routes.Find(path);
        if (r->access == kovrel::server::Access::Read && r->auth == kovrel::server::Auth::Required &&
            r->cache == kovrel::server::Cache::Reuse)
            out << path;
    }
    return out;
}

ServerReply post(const QString& base, const QString& endpoint, const QString& token, const Fields& fields) {
    BaseURL = base;
    return PostToServer(endpoint, WithFields(AuthForm(kDemo, QString(), token), fields));
}

QJsonObject firstOf(const ServerReply& r) {
    return QJsonDocument::fromJson(r.text.toUtf8()).array().first().toObject();
}

QString text(const QJsonValue& v) {
    return v.isString() ? v.toString() : QString::number(v.toInteger());
}

// The fields of one read endpoint on the demo account: the ids of entries that it has, so that
// every reply has rows to compare.
class Samples {
public:
    explicit Samples(const QString& base)
        : m_base(base) {
        const auto list = [&](const QString& endpoint) {
            return firstOf(post(base, endpoint, QStringLiteral("demo2024"), readFields(QStringLiteral("0"))));
        };
        m_user = text(list(QStringLiteral("/list-users-json.php")).value("ID"));
        const Fields sale = lineFields(QStringLiteral("nkl"), false);
        m_store = sale[1].second; // the store the first sale left from
        m_klient = text(list(QStringLiteral("/list-nkl-json.php")).value("id_klients"));
        m_goods =
            text(firstOf(post(base, QStringLiteral("/list-nkl-items-with-ost-json.php"), "demo2024", sale))
                     .value("id_goods"));
        // Some buyers have no requisites: the first one who has them.
        const ServerReply sales =
            post(base, QStringLiteral("/list-nkl-json.php"), "demo2024", readFields(QStringLiteral("0")));
        for (const QJsonValue& doc : QJsonDocument::fromJson(sales.text.toUtf8()).array()) {
            const QString klient = text(doc.toObject().value("id_klients"));
            const Fields id{{QStringLiteral("id"), klient}};
            if (post(base, QStringLiteral("/select-bank-json.php"), "demo2024", id).text.size() > 2) {
                m_bankOwner = klient;
                break;
            }
        }
    }

    QString Store() const { return m_store; }
    QString Klient() const { return m_klient; }

    Fields For(const QString& endpoint, const QString& store) const {
        Fields f = readFields(store);
        f << QPair<QString, QString>{QStringLiteral("id_goods"), m_goods}
          << QPair<QString, QString>{QStringLiteral("id_klients"), QStringLiteral("0")}
          << QPair<QString, QString>{QStringLiteral("code_kl"), endpoint.contains(QLatin1String("movekl"))
                                                                    ? m_klient
                                                                    : QStringLiteral("0")};
        static const QRegularExpression lines(
            QStringLiteral("^/list-(\\w+)-items(-one)?-with-ost-json\\.php$"));
        // Of a field sent twice the first counts: the document's stores go first.
        if (const auto m = lines.match(endpoint); m.hasMatch())
            return lineFields(m.captured(1), !m.captured(2).isEmpty()) + f;
        if (endpoint.contains(QLatin1String("store-rights-one-store")))
            f << QPair<QString, QString>{"id", m_store};
        if (endpoint.contains(QLatin1String("user"))) f << QPair<QString, QString>{"id", m_user};
        if (endpoint.contains(QLatin1String("select-bank"))) f << QPair<QString, QString>{"id", m_bankOwner};
        return f;
    }

private:
    // A document of the kind, with its store(s), or one of its lines.
    Fields lineFields(const QString& kind, bool one) const {
        const Fields period = readFields(QStringLiteral("0"));
        const QJsonObject doc =
            firstOf(post(m_base, QStringLiteral("/list-%1-json.php").arg(kind), "demo2024", period));
        Fields f{{QStringLiteral("id"), text(doc.value("id"))},
                 {QStringLiteral("code_store"), text(doc.value("id_stores"))},
                 {QStringLiteral("code_store_i"), text(doc.value("id_stores_i"))},
                 {QStringLiteral("code_store_p"), text(doc.value("id_stores_p"))}};
        if (!one) return f;
        const QJsonObject line = firstOf(
            post(m_base, QStringLiteral("/list-%1-items-with-ost-json.php").arg(kind), "demo2024", f));
        f[0].second = text(line.value("id"));
        return f;
    }

    QString m_base;
    QString m_store, m_user, m_goods, m_klient, m_bankOwner;
};

} // namespace

class TestServerBackup : public DemoServerTest {
    Q_OBJECT

    QString file(const QString& name) { return QDir(Demo().Database().Folder()).filePath(name); }

    // The demo account's backup, made by the command line beside the running server.
    QString backupFile() {
        const QString path = file(QStringLiteral("nightly.json"));
        const Run r = tool(on(Demo().Database()) +
                           QStringList{QStringLiteral("--backup"), QStringLiteral("--account"),
                                       QStringLiteral("DEMO@kovrel.local"), QStringLiteral("--out"), path});
        [&] { QVERIFY2(r.code == 0, qPrintable(r.err)); }();
        return path;
    }

private Q_SLOTS:
    // The nightly backup is the download's: same tables, same rows.
    void commandLineBackupIsTheDownload() {
        const QString path = backupFile();
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther),
                 QFileDevice::Permissions());
        const ServerReply asked =
            PostToServer(QStringLiteral("/backup-db.php"), AuthForm(kDemo, QString(), "demo2024"));
        QCOMPARE(asked.status, 200);
        const Download downloaded = DownloadUrl(asked.text);
        QCOMPARE(downloaded.status, 200);
        const QJsonObject mine = QJsonDocument::fromJson(readFile(path)).object();
        const QJsonObject theirs = QJsonDocument::fromJson(downloaded.body).object();
        QCOMPARE(mine.value("version").toInt(), 2);
        QCOMPARE(mine.value("schema"), theirs.value("schema"));
        QCOMPARE(mine.value("account"), theirs.value("account"));
        QVERIFY(!mine.value("tables").toObject().contains(QLatin1String("known_addresses")));
        QCOMPARE(mine.value("tables"), theirs.value("tables"));
        QCOMPARE(mine.value("sha256").toString().size(), 64);

        const Run verified = tool({QStringLiteral("--restore"), path, QStringLiteral("--verify-only")});
        QCOMPARE(verified.code, 0);
        QCOMPARE(verified.out, path + QStringLiteral(": intact\n"));
        const Run nobody = tool(on(Demo().Database()) +
                                QStringList{QStringLiteral("--backup"), QStringLiteral("--account"),
                                            QStringLiteral("nobody@shop.ru"), QStringLiteral("--out"),
                                            file(QStringLiteral("none.json"))});
        QCOMPARE(nobody.code, 1);
        QCOMPARE(nobody.err, QStringLiteral("kovrel-server: there is no account nobody@shop.ru\n"));
        QVERIFY(!QFile::exists(file(QStringLiteral("none.json"))));
    }

    // Restored into an account just made on another database, while its server runs: every
    // reply of every read is the original's (byte for byte on SQLite); the next sales waybill
    // gets the next number on both; every login has a new password by mail and the old ones are
    // gone.
    void restoreGivesTheSameAccountOnANewDatabase() {
        const QString path = backupFile();
        const QString source = BaseURL;
        TestDatabase db;
        QVERIFY2(db.Ok(), qPrintable(db.Error()));
        ServerProcess target(db);
        QVERIFY2(target.Start(), qPrintable(target.Error()));
        BaseURL = target.BaseUrl();
        const QString waiting = NewAccountPassword(target, kDemo);
        QVERIFY(!waiting.isEmpty());

        const Run restored =
            tool(on(db) + QStringList{QStringLiteral("--restore"), path, QStringLiteral("--account"), kDemo});
        QVERIFY2(restored.code == 0, qPrintable(restored.err));
        QCOMPARE(restored.err, QString());
        QVERIFY2(restored.out.endsWith(
                     QStringLiteral("new passwords mailed to demo@kovrel.local, kassa@kovrel.local\n")),
                 qPrintable(restored.out));
        const QList<QByteArray> mail = target.Mail();
        QCOMPARE(mail.size(), 3);
        QCOMPARE(ServerProcess::HeaderOf(mail[1], "To"), kDemo.toLatin1());
        QCOMPARE(ServerProcess::HeaderOf(mail[2], "To"), kKassa.toLatin1());
        const QString admin = ServerProcess::PasswordIn(mail[1]);
        const QString kassa = ServerProcess::PasswordIn(mail[2]);

        const auto signedIn = [&](const QString& user, const QString& token) {
            BaseURL = target.BaseUrl();
            return PostToServer(QStringLiteral("/get-lic-v3.php"), AuthForm(kDemo, user, token))
                       .text.contains(QStringLiteral("\"user_id\":")) &&
                   PostToServer(
                       QStringLiteral("/list-stores-json.php"),
                       WithFields(AuthForm(kDemo, user, token), {{QStringLiteral("upname_win"), QString()}}))
                           .status == 200;
        };
        QVERIFY(signedIn(QString(), admin));
        QVERIFY(signedIn(kKassa, kassa));
        QVERIFY(!signedIn(QString(), QStringLiteral("demo2024")));
        QVERIFY(!signedIn(QString(), waiting));
        QVERIFY(!signedIn(kKassa, QStringLiteral("kassa2024")));

        const QStringList endpoints = readEndpoints();
        QVERIFY(endpoints.size() > 30);
        const Samples samples(source);
        int cards = 0;
        for (const QString& scope : {QStringLiteral("0"), samples.Store()}) {
            for (const QString& endpoint : endpoints) {
                const Fields fields = samples.For(endpoint, scope);
                const ServerReply before = post(source, endpoint, QStringLiteral("demo2024"), fields);
                const ServerReply after = post(target.BaseUrl(), endpoint, admin, fields);
                // Every reply over all stores holds rows; a card of one goods item or counterparty,
                // or a report of one store, may be empty.
                const bool card = endpoint.contains(QLatin1String("-move"));
                QVERIFY2(before.status == 200 &&
                             (card || scope != QLatin1String("0") || before.text.size() > 2),
                         qPrintable(endpoint + QLatin1Char(' ') + before.text));
                cards += card && before.text.size() > 2;
                QCOMPARE(after.status, before.status);
                // SQLite adds up amounts in the rows' order, which the restore keeps: the replies are
                // the same bytes. PostgreSQL adds them in the order its plan of the moment picks (the
                // source's own replies can change in the last digit after its statistics do), so
                // there every text and every number to twelve digits must be the same.
                const auto same = [&](const QString& a, const QString& b) {
                    return Demo().Database().IsPostgres() ? roundedNumbers(a) == roundedNumbers(b) : a == b;
                };
                QVERIFY2(same(after.text, before.text),
                         qPrintable(endpoint + QLatin1Char(' ') + firstDifference(before.text, after.text)));
            }
        }
        QVERIFY(cards >= 6);

        const Fields waybill = {{QStringLiteral("dat"), QDate::currentDate().toString(Qt::ISODate)},
                                {QStringLiteral("id_stores"), samples.Store()},
                                {QStringLiteral("id_klients"), samples.Klient()},
                                {QStringLiteral("prim_win"), QStringLiteral("после восстановления")}};
        const ServerReply here =
            post(source, QStringLiteral("/insert-nkl.php"), QStringLiteral("demo2024"), waybill);
        const ServerReply there = post(target.BaseUrl(), QStringLiteral("/insert-nkl.php"), admin, waybill);
        QCOMPARE(here.status, 200);
        QCOMPARE(there.status, 200);
        QCOMPARE(there.text, here.text); // the same counter, going on after the restored numbers
        QVERIFY(there.text.toInt() > 0);
        BaseURL = source;
    }

    // A cut or changed file, a backup of a newer schema and an account that holds data are
    // refused, each with its reason on one line, and nothing is written.
    void unusableBackupsAreRefused() {
        const QString path = backupFile();
        const QByteArray whole = readFile(path);
        TestDatabase db;
        QVERIFY2(db.Ok(), qPrintable(db.Error()));
        const auto restore = [&](const QString& file) {
            return tool(on(db) +
                        QStringList{QStringLiteral("--restore"), file, QStringLiteral("--account"), kDemo});
        };
        const auto verify = [&](const QString& file) {
            return tool({QStringLiteral("--restore"), file, QStringLiteral("--verify-only")});
        };

        const QString cut = file(QStringLiteral("cut.json"));
        writeFile(cut, whole.left(whole.size() * 2 / 3));
        for (const Run& r : {verify(cut), restore(cut)}) {
            QCOMPARE(r.code, 1);
            QCOMPARE(
                r.err,
                QStringLiteral("kovrel-server: %1: cut short: it does not end in its checksum\n").arg(cut));
        }
        const QString changed = file(QStringLiteral("changed.json"));
        QByteArray flipped = whole;
        const qsizetype at = flipped.indexOf("Рис");
        QVERIFY(at > 0);
        flipped[at + 2] = char(flipped[at + 2] ^ 1);
        writeFile(changed, flipped);
        const Run changedRun = verify(changed);
        QCOMPARE(changedRun.code, 1);
        QCOMPARE(changedRun.err,
                 QStringLiteral("kovrel-server: %1: changed: its checksum does not match\n").arg(changed));

        const QString newer = file(QStringLiteral("newer.json"));
        const int schema = schemaOf(whole);
        writeFile(newer, resealed(whole, schema + 1, [](QJsonObject&) {}));
        QCOMPARE(verify(newer).code, 0);
        const Run newerRun = restore(newer);
        QCOMPARE(newerRun.code, 1);
        QCOMPARE(
            newerRun.err,
            QStringLiteral(
                "kovrel-server: %1: made by a newer kovrel-server (schema %2; this one knows up to %3)\n")
                .arg(newer)
                .arg(schema + 1)
                .arg(schema));

        const Run full = tool(on(Demo().Database()) + QStringList{QStringLiteral("--restore"), path,
                                                                  QStringLiteral("--account"), kDemo});
        QCOMPARE(full.code, 1);
        QCOMPARE(
            full.err,
            QStringLiteral("kovrel-server: %1: account %2 holds data already; restore into a new account\n")
                .arg(path, kDemo));
        QVERIFY(Demo().Server().Mail().isEmpty());
        QCOMPARE(
            PostToServer(QStringLiteral("/get-lic-v3.php"), AuthForm(kDemo, QString(), "demo2024")).status,
            200);

        // Nothing of the refused ones reached the new database: the whole file still goes in.
        const Run good = restore(path);
        QVERIFY2(good.code == 0, qPrintable(good.err));
    }

    // A backup of the first schema (catalogs only) is loaded as that schema and migrated up.
    void olderSchemaIsMigratedForward() {
        const QByteArray whole = readFile(backupFile());
        const QString old = file(QStringLiteral("schema1.json"));
        writeFile(old, resealed(whole, 1, [](QJsonObject& tables) {
                      for (const char* later : {"docs", "doc_items", "stock", "money"})
                          tables.remove(QLatin1String(later));
                      dropColumn(tables, QStringLiteral("requisites"), QStringLiteral("edo_id"));
                      dropColumn(tables, QStringLiteral("goods"), QStringLiteral("okei"));
                  }));
        TestDatabase db;
        QVERIFY2(db.Ok(), qPrintable(db.Error()));
        const Run r = tool(on(db) + QStringList{QStringLiteral("--restore"), old, QStringLiteral("--account"),
                                                QStringLiteral("copy@shop.ru")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        ServerProcess target(db);
        QVERIFY2(target.Start(), qPrintable(target.Error()));
        const QString admin = ServerProcess::PasswordIn(target.Mail().first());
        const auto goods = [&](const QString& base, const QString& login, const QString& token) {
            BaseURL = base;
            return PostToServer(
                QStringLiteral("/list-goods-json.php"),
                WithFields(AuthForm(login, QString(), token), readFields(QStringLiteral("0"))));
        };
        const QString source = Demo().Server().BaseUrl();
        const ServerReply restored = goods(target.BaseUrl(), QStringLiteral("copy@shop.ru"), admin);
        QVERIFY2(restored.status == 200, qPrintable(restored.text));
        // The first schema had no units of measure: the items come back without theirs.
        static const QRegularExpression unit(QStringLiteral("\"okei\":\"[^\"]*\""));
        QCOMPARE(restored.text, goods(source, kDemo, QStringLiteral("demo2024"))
                                    .text.replace(unit, QStringLiteral("\"okei\":\"\"")));
        BaseURL = target.BaseUrl();
        const ServerReply sales =
            PostToServer(QStringLiteral("/list-nkl-json.php"),
                         WithFields(AuthForm(QStringLiteral("copy@shop.ru"), QString(), admin),
                                    {{QStringLiteral("find_win"), QString()},
                                     {QStringLiteral("dat_begin"), QStringLiteral("2000-01-01")},
                                     {QStringLiteral("dat_end"), QStringLiteral("2100-01-01")}}));
        QCOMPARE(sales.status, 200);
        QCOMPARE(sales.text, QStringLiteral("[]"));
        BaseURL = source;
    }
};

QTEST_GUILESS_MAIN(TestServerBackup)
#include "test_server_backup.moc"
