#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <stdexcept>

namespace kovrel::server {

// A message that could not be handed to the outbox or the sendmail command; DiskFull() when
// the outbox's disk had no room for it.
class MailError : public std::runtime_error {
public:
    explicit MailError(const std::string& message, bool diskFull = false)
        : std::runtime_error(message)
        , m_diskFull(diskFull) {}
    bool DiskFull() const { return m_diskFull; }

private:
    bool m_diskFull;
};

// Sends the service's mail. With an outbox folder every message becomes one .eml file there
// (PrivateFileWriter: a reader never sees an empty or partial message, not even when the disk
// is full; folder and files owner-only, since the messages hold passwords); with a
// sendmail command the message goes to that command's standard input (run by /bin/sh, the
// recipient taken from the To header, e.g. "sendmail -t"). Addresses never reach a command line.
class Mailer {
public:
    Mailer(QString outboxDir, QString sendmailCommand);

    // Throws MailError when the message cannot be delivered to the outbox or command.
    void Send(const QString& to, const QString& subject, const QString& body);

    // The message as it is written: headers, blank line, body, CRLF line ends, UTF-8.
    static QByteArray Compose(const QString& to, const QString& subject, const QString& body);
    // Whether the text is a plain mail address that is safe in a header: printable ASCII
    // without blanks, quotes, brackets or separators, one "@", a dot in the domain.
    static bool IsPlainAddress(const QString& address);

    QString Describe() const;

private:
    void writeToOutbox(const QByteArray& message);
    void pipeToCommand(const QByteArray& message);

    QString m_outbox;
    QString m_sendmail;
    QMutex m_mutex;
    quint64 m_sequence = 0;
};

} // namespace kovrel::server
