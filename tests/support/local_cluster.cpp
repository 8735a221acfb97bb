#include "local_cluster.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>

namespace {

const QString kScript = QStringLiteral(KOVREL_SOURCE_DIR "/scripts/cluster");

} // namespace

LocalCluster::LocalCluster(int servers)
    : m_servers(servers) {}

LocalCluster::~LocalCluster() {
    if (m_started) Run({QStringLiteral("stop")});
}

QString LocalCluster::Unavailable() {
    if (QStandardPaths::findExecutable(QStringLiteral("haproxy")).isEmpty())
        return QStringLiteral("haproxy is not installed (scripts/deps haproxy)");
    if (QDir(QStringLiteral("/usr/lib/postgresql")).isEmpty())
        return QStringLiteral("PostgreSQL is not installed");
    return {};
}

QString LocalCluster::file(const QString& name) const {
    return m_parent.filePath(QStringLiteral("cluster/") + name);
}

QString LocalCluster::Run(const QStringList& command, bool* ok) const {
    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KOVREL_CLUSTER_DIR"), m_parent.filePath(QStringLiteral("cluster")));
    env.insert(QStringLiteral("KOVREL_SERVER"), QStringLiteral(KOVREL_SERVER_BINARY));
    env.insert(QStringLiteral("KOVREL_CLUSTER_SERVERS"), QString::number(m_servers));
    env.remove(QStringLiteral("KOVREL_CLUSTER_DB"));
    script.setProcessEnvironment(env);
    script.start(kScript, command);
    const bool done = script.waitForFinished(120000);
    const bool succeeded = done && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
    if (ok) *ok = succeeded;
    if (succeeded) return QString::fromUtf8(script.readAllStandardOutput());
    return QStringLiteral("scripts/cluster %1 failed: %2")
        .arg(command.join(QLatin1Char(' ')), QString::fromUtf8(script.readAllStandardError()));
}

QString LocalCluster::Start() {
    bool ok = false;
    m_started = true;
    const QString out = Run({QStringLiteral("start")}, &ok);
    if (!ok) return out;
    m_address = out.trimmed();
    QFile state(file(QStringLiteral("state")));
    if (!state.open(QIODevice::ReadOnly)) return QStringLiteral("scripts/cluster left no state");
    static const QRegularExpression db(QStringLiteral("^db=(\\S+)$"), QRegularExpression::MultilineOption);
    m_database = db.match(QString::fromUtf8(state.readAll())).captured(1);
    return m_database.isEmpty() ? QStringLiteral("no database in the cluster's state") : QString();
}

quint16 LocalCluster::ServerPort(int server) const {
    QFile port(file(QStringLiteral("server-%1.port").arg(server)));
    return port.open(QIODevice::ReadOnly) ? static_cast<quint16>(port.readAll().trimmed().toUInt()) : 0;
}

bool LocalCluster::Pause(int server) const {
    QFile pid(file(QStringLiteral("server-%1.pid").arg(server)));
    if (!pid.open(QIODevice::ReadOnly)) return false;
    return ::kill(static_cast<pid_t>(pid.readAll().trimmed().toLongLong()), SIGSTOP) == 0;
}

QStringList LocalCluster::ServedBy(const QString& requestLineText) const {
    QFile log(file(QStringLiteral("haproxy.log")));
    QStringList servers;
    if (!log.open(QIODevice::ReadOnly)) return servers;
    // httplog: "… kovrel kovrel-servers/kovrel2 0/0/0/5/5 200 … \"POST /backup-db.php HTTP/1.1\""
    static const QRegularExpression line(QStringLiteral(" kovrel-servers/(\\S+) .*\"([^\"]*)\"$"));
    while (!log.atEnd()) {
        const auto m = line.match(QString::fromUtf8(log.readLine()).trimmed());
        if (m.hasMatch() && m.captured(2).contains(requestLineText)) servers.append(m.captured(1));
    }
    return servers;
}
