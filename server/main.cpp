#include "server_app.h"
#include "server_options.h"
#include "server_tools.h"

#include <QCoreApplication>

#include <pthread.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

using kovrel::server::ServerApp;
using kovrel::server::ServerOptions;

namespace {

// Waits until no request is under way, at most `seconds`, or until a stop signal comes again;
// the requests still under way then.
unsigned finishRequests(const ServerApp& server, const sigset_t& stopSignals, unsigned seconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds);
    unsigned open = server.RequestsInProgress();
    while (open > 0 && Clock::now() < deadline) {
        const timespec tick{0, 50 * 1000 * 1000};
        if (sigtimedwait(&stopSignals, nullptr, &tick) > 0) break;
        open = server.RequestsInProgress();
    }
    return open;
}

} // namespace

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
    std::fprintf(stderr, "stopping on signal %d: finishing the requests under way, at most %u s\n", signal,
                 options->stopSeconds);
    std::fflush(stderr);
    server.BeginStopping();
    if (const unsigned open = finishRequests(server, stopSignals, options->stopSeconds)) {
        // A request that outlives the wait (a hung database) must not hold the stop up: the
        // transactions still open are rolled back by the database when the process is gone.
        std::fprintf(stderr, "stopped with %u request(s) unfinished\n", open);
        std::fflush(stderr);
        std::_Exit(0);
    }
    server.Stop();
    std::fprintf(stderr, "stopped\n");
    return 0;
}
