#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

class TestDatabase;

// The real kovrel-server binary, started on a free loopback port with the given test database
// and an outbox folder beside it. Its log (stderr) goes to a file so a long test never blocks it.
class ServerProcess {
public:
    explicit ServerProcess(const TestDatabase& db);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts and waits for the "listening on" line; false with Error() set when it does not come.
    bool Start(const QStringList& extraArguments = {});
    // A program, with its arguments, that starts the binary (given after them, with its own
    // arguments) in some setting of its own, e.g. a mount namespace.
    void SetLauncher(const QStringList& launcher) { m_launcher = launcher; }
    qint64 Pid() const { return m_process.processId(); }
    // Sends the signal and waits; the exit code, or -1 when the process had to be killed.
    int Stop(int signal = 15);
    // Sends the signal and returns at once.
    void Signal(int signal);
    // Waits for the process to end by itself; its exit code, or -1 when it did not end within
    // the time or crashed.
    int WaitForExit(int waitMs);
    bool Running() const;
    // Stops the process without ending it (SIGSTOP), as a hung service: connections are still
    // taken by the system, nothing answers; Resume (SIGCONT) lets it go on with them.
    void Pause();
    void Resume();

    // "http://127.0.0.1:PORT"
    QString BaseUrl() const { return m_baseUrl; }
    QString Error() const { return m_error; }
    QString Log() const;
    QString Outbox() const { return m_outbox; }
    // Every message in the outbox, oldest first (by name).
    QList<QByteArray> Mail() const;
    // The password in the line "Пароль: …" of a message, or empty.
    static QString PasswordIn(const QByteArray& message);
    // A header of a message, or empty.
    static QByteArray HeaderOf(const QByteArray& message, const QByteArray& name);

    static QString Binary();

private:
    const TestDatabase& m_db;
    QProcess m_process;
    QString m_outbox;
    QString m_logFile;
    QString m_baseUrl;
    QString m_error;
    QStringList m_launcher;
};
