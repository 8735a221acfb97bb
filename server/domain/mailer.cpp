#include "mailer.h"

#include "private_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QMutexLocker>
#include <QProcess>

#include <pthread.h>

#include <csignal>
#include <stdexcept>

namespace kovrel::server {

namespace {

constexpr int kSendmailTimeoutMs = 60000;

// RFC 2047 encoded word for a header that is not plain ASCII.
QByteArray headerText(const QString& text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7F;
    if (ascii) return text.toLatin1();
    return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
}

QByteArray crlfLines(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QByteArray out = t.toUtf8();
    out.replace("\n", "\r\n");
    if (!out.endsWith("\r\n")) out.append("\r\n");
    return out;
}

[[noreturn]] void fail(const QString& why) {
    throw MailError(why.toStdString());
}

} // namespace

Mailer::Mailer(QString outboxDir, QString sendmailCommand)
    : m_outbox(std::move(outboxDir))
    , m_sendmail(std::move(sendmailCommand)) {}

bool Mailer::IsPlainAddress(const QString& address) {
    if (address.size() < 6 || address.size() > 254) return false;
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || at != address.lastIndexOf(QLatin1Char('@'))) return false;
    const QString domain = address.mid(at + 1);
    if (!domain.contains(QLatin1Char('.')) || domain.startsWith(QLatin1Char('.')) ||
        domain.endsWith(QLatin1Char('.')))
        return false;
    static const QString forbidden = QStringLiteral("\"(),:;<>[\\]");
    for (QChar c : address) {
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7F || forbidden.contains(c)) return false;
    }
    return true;
}

QByteArray Mailer::Compose(const QString& to, const QString& subject, const QString& body) {
    const QString date =
        QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss "));
    const int offset = QDateTime::currentDateTime().offsetFromUtc() / 60;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(std::abs(offset) / 60, 2, 10, QLatin1Char('0'))
                             .arg(std::abs(offset) % 60, 2, 10, QLatin1Char('0'));
    QByteArray m;
    m += "From: Kovrel <noreply@kovrel.invalid>\r\n";
    m += "To: " + to.toLatin1() + "\r\n";
    m += "Subject: " + headerText(subject) + "\r\n";
    m += "Date: " + (date + zone).toLatin1() + "\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: text/plain; charset=utf-8\r\n";
    m += "Content-Transfer-Encoding: 8bit\r\n";
    m += "\r\n";
    m += crlfLines(body);
    return m;
}

void Mailer::Send(const QString& to, const QString& subject, const QString& body) {
    if (!IsPlainAddress(to)) fail(QStringLiteral("unusable mail address"));
    const QByteArray message = Compose(to, subject, body);
    if (!m_sendmail.isEmpty())
        pipeToCommand(message);
    else
        writeToOutbox(message);
}

void Mailer::writeToOutbox(const QByteArray& message) {
    if (!MakePrivateFolder(m_outbox)) fail(QStringLiteral("cannot create the outbox %1").arg(m_outbox));
    quint64 n;
    {
        QMutexLocker lock(&m_mutex);
        n = ++m_sequence;
    }
    const QString name =
        QStringLiteral("%1-%2-%3.eml")
            .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")))
            .arg(QCoreApplication::applicationPid())
            .arg(n, 6, 10, QLatin1Char('0'));
    try {
        PrivateFileWriter file(QDir(m_outbox).filePath(name));
        file.Write(message);
        file.Commit();
    } catch (const FileError& e) {
        throw MailError(e.what(), e.DiskFull());
    }
}

void Mailer::pipeToCommand(const QByteArray& message) {
    QProcess p;
    p.setProgram(QStringLiteral("/bin/sh"));
    p.setArguments({QStringLiteral("-c"), m_sendmail});
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    // The server blocks SIGINT and SIGTERM in its threads to wait for them; the command must not
    // inherit that.
    p.setChildProcessModifier([] {
        sigset_t none;
        sigemptyset(&none);
        pthread_sigmask(SIG_SETMASK, &none, nullptr);
    });
    p.start();
    if (!p.waitForStarted()) fail(QStringLiteral("cannot start the sendmail command"));
    p.write(message);
    p.closeWriteChannel();
    if (!p.waitForFinished(kSendmailTimeoutMs)) {
        p.kill();
        p.waitForFinished();
        fail(QStringLiteral("the sendmail command did not finish"));
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        fail(QStringLiteral("the sendmail command failed with code %1").arg(p.exitCode()));
}

QString Mailer::Describe() const {
    return m_sendmail.isEmpty() ? QStringLiteral("outbox %1").arg(m_outbox)
                                : QStringLiteral("sendmail command \"%1\"").arg(m_sendmail);
}

} // namespace kovrel::server
