// kovrel-cli: every service operation and every report from the command line.
#include "cli_commands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const CliResult result = RunCli(app.arguments().mid(1), QProcessEnvironment::systemEnvironment());
    std::fwrite(result.out.constData(), 1, static_cast<size_t>(result.out.size()), stdout);
    if (!result.error.isEmpty()) std::fprintf(stderr, "kovrel-cli: %s\n", result.error.toUtf8().constData());
    return result.exitCode;
}
