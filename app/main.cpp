// kovrel: the desktop client.
#include "desktop_start.h"
#include "main_f.h"
#include "session.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QUrl>

#include <cstdio>

namespace {

// The service address from the command line, or the build's; empty when the one given is not
// an http or https address.
QString serviceAddress(const QCommandLineParser& args) {
    if (!args.isSet(QStringLiteral("service"))) return DefaultBaseURL();
    QString url = args.value(QStringLiteral("service")).trimmed();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    return parsed.isValid() && web && !parsed.host().isEmpty() ? url : QString();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kovrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kovrel"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral("Kovrel: складской и финансовый учет"));
    args.addHelpOption();
    args.addOption({QStringLiteral("service"), QStringLiteral("Service address (http://host:port)."),
                    QStringLiteral("URL")});
    args.addOption({QStringLiteral("settings"),
                    QStringLiteral("Settings file to use instead of kovrel.ini beside the program."),
                    QStringLiteral("FILE")});
    args.process(app);

    // Read once: every request of the run goes to this address.
    BaseURL = serviceAddress(args);
    if (BaseURL.isEmpty()) {
        std::fprintf(stderr, "kovrel: --service needs an http:// or https:// address\n");
        return 2;
    }

    PrepareDesktop();
    TMainF mainForm(args.value(QStringLiteral("settings")));
    mainForm.show();
    const int code = QApplication::exec();
    FinishDesktop();
    return code;
}
