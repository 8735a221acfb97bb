#include "server_process.h"

#include "test_database.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <atomic>
#include <csignal>

ServerProcess::ServerProcess(const TestDatabase& db)
    : m_db(db)
    , m_outbox(QDir(db.Folder()).filePath(QStringLiteral("outbox"))) {}

ServerProcess::~ServerProcess() {
    if (Running()) Stop();
}

QString ServerProcess::Binary() {
    return QStringLiteral(KOVREL_SERVER_BINARY);
}

bool ServerProcess::Start(const QStringList& extraArguments) {
    // Numbered across all servers of the test: several may run on one database.
    static std::atomic<int> starts{0};
    m_logFile = QDir(m_db.Folder()).filePath(QStringLiteral("server-%1.log").arg(++starts));
    m_process.setStandardErrorFile(m_logFile);
    const QStringList arguments = QStringList{QStringLiteral("--listen"),   QStringLiteral("127.0.0.1:0"),
                                              QStringLiteral("--db"),       m_db.Argument(),
                                              QStringLiteral("--outbox"),   m_outbox,
                                              QStringLiteral("--data-dir"), m_db.Folder(),
                                              QStringLiteral("--threads"),  QStringLiteral("4")} +
                                  extraArguments;
    if (m_launcher.isEmpty()) {
        m_process.setProgram(Binary());
        m_process.setArguments(arguments);
    } else {
        m_process.setProgram(m_launcher.first());
        m_process.setArguments(m_launcher.mid(1) + QStringList{Binary()} + arguments);
    }
    m_process.start();
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("cannot start %1").arg(Binary());
        return false;
    }
    static const QRegularExpression listening(QStringLiteral("^listening on (127\\.0\\.0\\.1:(\\d+))$"));
    QByteArray out;
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(200)) {
            if (m_process.state() == QProcess::NotRunning) break;
            continue;
        }
        const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
        const auto m = listening.match(line);
        if (m.hasMatch() && m.captured(2).toInt() > 0) {
            m_baseUrl = QStringLiteral("http://") + m.captured(1);
            return true;
        }
        out += line.toUtf8() + '\n';
    }
    m_error =
        QStringLiteral("no \"listening on\" line; stdout: %1; log: %2").arg(QString::fromUtf8(out), Log());
    if (Running()) Stop(SIGKILL);
    return false;
}

int ServerProcess::Stop(int signal) {
    if (m_process.state() == QProcess::NotRunning) return m_process.exitCode();
    Signal(signal);
    const int code = WaitForExit(40000);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
    return code;
}

void ServerProcess::Signal(int signal) {
    if (m_process.state() == QProcess::NotRunning) return;
    Resume(); // a paused process would take the signal only once it runs again
    ::kill(static_cast<pid_t>(m_process.processId()), signal);
}

int ServerProcess::WaitForExit(int waitMs) {
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(waitMs)) return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

// Returns once the system has stopped the process: a signal is delivered after kill() returns.
void ServerProcess::Pause() {
    if (m_process.state() == QProcess::NotRunning) return;
    const qint64 pid = m_process.processId();
    ::kill(static_cast<pid_t>(pid), SIGSTOP);
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    for (int tries = 0; tries < 200; ++tries) {
        if (stat.open(QIODevice::ReadOnly)) {
            const QByteArray line = stat.readAll();
            stat.close();
            // "pid (name) S ...": the state follows the name's closing parenthesis.
            const qsizetype close = line.lastIndexOf(')');
            if (close > 0 && line.mid(close + 2, 1) == "T") return;
        }
        QThread::msleep(10);
    }
    qWarning("kovrel-server %lld did not stop", pid);
}

void ServerProcess::Resume() {
    if (m_process.state() != QProcess::NotRunning) ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT);
}

bool ServerProcess::Running() const {
    return m_process.state() != QProcess::NotRunning;
}

QString ServerProcess::Log() const {
    QFile f(m_logFile);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QList<QByteArray> ServerProcess::Mail() const {
    QList<QByteArray> messages;
    const QDir dir(m_outbox);
    for (const QString& name : dir.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly)) messages.append(f.readAll());
    }
    return messages;
}

QString ServerProcess::PasswordIn(const QByteArray& message) {
    static const QRegularExpression line(QStringLiteral("^Пароль: (\\S+)\\r$"),
                                         QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(message)).captured(1);
}

QByteArray ServerProcess::HeaderOf(const QByteArray& message, const QByteArray& name) {
    const QByteArray head = message.left(message.indexOf("\r\n\r\n"));
    for (const QByteArray& l : head.split('\n')) {
        const QByteArray line = l.trimmed();
        if (line.startsWith(name + ": ")) return line.mid(name.size() + 2);
    }
    return {};
}
