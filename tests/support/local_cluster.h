#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The several servers behind HAProxy that scripts/cluster starts on this machine, in a folder
// of the caller's own: started by Start, stopped (everything removed) when the object goes.
class LocalCluster {
public:
    explicit LocalCluster(int servers = 3);
    ~LocalCluster();
    LocalCluster(const LocalCluster&) = delete;
    LocalCluster& operator=(const LocalCluster&) = delete;

    // Why the cluster cannot run on this machine (haproxy or PostgreSQL missing), or empty.
    static QString Unavailable();

    // Starts it; the reason when it does not start.
    QString Start();
    // scripts/cluster with a command (kill, term, revive, status …); its output, or the
    // reason it failed, with `ok` set.
    QString Run(const QStringList& command, bool* ok = nullptr) const;
    // Stops server N (1, 2, …) as a hung process would be (SIGSTOP): its connections are taken
    // by the system, nothing is answered.
    bool Pause(int server) const;

    // "http://127.0.0.1:PORT", the balancer.
    QString Address() const { return m_address; }
    // The value of the servers' --db.
    QString Database() const { return m_database; }
    // The port server N listens on, 0 when unknown.
    quint16 ServerPort(int server) const;
    // The server ("kovrel2") that HAProxy's log names for each request line that contains the
    // text, in the order they were answered.
    QStringList ServedBy(const QString& requestLineText) const;

private:
    QString file(const QString& name) const;

    int m_servers;
    QTemporaryDir m_parent;
    QString m_address;
    QString m_database;
    bool m_started = false;
};
