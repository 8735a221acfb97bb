#include "bench_server.h"

#include "load_driver.h"
#include "wire/multipart_form.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

namespace BenchServer {

Child::~Child() {
    if (m_p.state() != QProcess::NotRunning) {
        m_p.terminate();
        if (!m_p.waitForFinished(5000)) m_p.kill();
        m_p.waitForFinished(2000);
    }
}

quint16 Start(Child& server, const QString& binary, const QStringList& args, const QString& log) {
    QProcess& p = server.P();
    p.setStandardErrorFile(log);
    p.start(binary, QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")} + args);
    static const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray out;
    while (p.waitForReadyRead(60000)) {
        out += p.readAll();
        const auto m = listening.match(QString::fromUtf8(out));
        if (m.hasMatch()) return static_cast<quint16>(m.captured(1).toUInt());
    }
    return 0;
}

QByteArray Post(quint16 port, const QString& endpoint, const QString& login,
                const QList<QPair<QString, QString>>& fields, const QString& password) {
    kovrel::wire::MultipartForm f;
    f.AddField(QStringLiteral("login"), login);
    f.AddField(QStringLiteral("dop_login"), QString());
    f.AddField(QStringLiteral("token"), password);
    f.AddField(QStringLiteral("client"), QStringLiteral("W.1.0.1"));
    for (const auto& [name, value] : fields)
        f.AddField(name, value);
    f.AddField(QStringLiteral("nonce"), QStringLiteral("00000000"));
    const QByteArray boundary = kovrel::wire::MultipartForm::MakeBoundary(QDateTime::currentDateTime());
    return LoadDriver::Request("POST", endpoint.toLatin1(), "127.0.0.1:" + QByteArray::number(port),
                               kovrel::wire::MultipartForm::ContentType(boundary), f.Encode(boundary));
}

QString LoadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("unknown");
}

} // namespace BenchServer
