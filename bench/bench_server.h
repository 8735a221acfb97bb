#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>

// Starting a kovrel-server for a benchmark and writing the requests it is sent.
namespace BenchServer {

// A child process that lives as long as the object.
class Child {
public:
    ~Child();
    QProcess& P() { return m_p; }

private:
    QProcess m_p;
};

// A kovrel-server binary with the arguments after --listen; its port once it listens, 0 when it
// does not start. Its log goes to `log`.
quint16 Start(Child& server, const QString& binary, const QStringList& args, const QString& log);

// A keep-alive POST of the client's form: the four sign-in fields, then `fields`, then a field
// the service ignores ("nonce", "00000000"), which fresh load runs number so that no reply can
// be reused.
QByteArray Post(quint16 port, const QString& endpoint, const QString& login,
                const QList<QPair<QString, QString>>& fields, const QString& password);

// The load average of the last 1, 5 and 15 minutes: the machine is shared, and the load beside
// a run says how far its figures can be trusted.
QString LoadAverage();

} // namespace BenchServer
