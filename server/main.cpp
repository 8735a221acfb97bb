#include "server_app.h"
#include "server_options.h"
#include "server_tools.h"

#include <QCoreApplication>

#include <pthread.h>

#include <csignal>
#include <cstdio>

using kovrel::server::ServerApp;
using kovrel::server::ServerOptions;

int main(int argc, char* argv[]) {
    // Every thread started from here on inherits the blocked signals; main alone waits for them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kovrel-server"));

    QString error;
    QString help;
    const auto options = ServerOptions::Parse(QCoreApplication::arguments(), &error, &help);
    if (!options) {
        if (!help.isEmpty()) {
            std::fputs(qPrintable(help), stdout);
            return 0;
        }
        std::fprintf(stderr, "kovrel-server: %s\n", qPrintable(error));
        return 2;
    }
    if (options->task != ServerOptions::Task::Serve) return kovrel::server::RunServerTool(*options);

    ServerApp server(*options);
    if (!server.Start(&error)) {
        std::fprintf(stderr, "kovrel-server: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("listening on %s\n", qPrintable(server.ListenText()));
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    std::fprintf(stderr, "stopping on signal %d\n", signal);
    server.Stop();
    return 0;
}
