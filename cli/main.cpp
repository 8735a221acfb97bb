// kovrel-cli: every service operation and every report from the command line.
#include "cli_commands.h"
#include "machine_numbers.h"

#include <QCoreApplication>
#ifdef KOVREL_CLI_PRINT
#include <QGuiApplication>
#endif

#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    std::unique_ptr<QCoreApplication> app;
#ifdef KOVREL_CLI_PRINT
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (IsPrintCommand(args)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The toolkit's remarks about the session it runs in are no business of a script:
        // stderr keeps the one line of a failure.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "kovrel-cli: %s\n", text.toUtf8().constData());
        });
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    if (!app) app = std::make_unique<QCoreApplication>(argc, argv);
    kovrel::KeepMachineNumbers(); // the toolkit took the person's locale for every category
    const CliResult result = RunCli(app->arguments().mid(1), QProcessEnvironment::systemEnvironment());
    auto write = [](QByteArrayView bytes) {
        std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), stdout);
    };
    write(result.out);
    if (result.doc) result.doc->Write(write);
    if (!result.error.isEmpty()) std::fprintf(stderr, "kovrel-cli: %s\n", result.error.toUtf8().constData());
    return result.exitCode;
}
