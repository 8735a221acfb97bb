// kovrel-screens: takes a picture of every page of the main window and every window of the
// program, signed in with a settings file against a service, into a folder (one PNG per page or
// window, named after it). scripts/screenshot runs it on the demo data for the documentation.
#include "main_f.h"
#include "session.h"
#include "window_tour.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTest>

#include <cstdio>

namespace {

// Lets the window lay itself out and paint before it is taken.
void settle(QWidget* window) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "kovrel-screens: %s not shown\n", qPrintable(window->objectName()));
    QTest::qWait(100);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kovrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kovrel"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral("Pictures of every page and window of Kovrel."));
    args.addHelpOption();
    args.addOption({QStringLiteral("service"), QStringLiteral("Service address (http://host:port)."),
                    QStringLiteral("URL")});
    args.addOption({QStringLiteral("settings"), QStringLiteral("Settings file to sign in with."),
                    QStringLiteral("FILE")});
    args.addOption(
        {QStringLiteral("out"), QStringLiteral("Folder for the pictures."), QStringLiteral("DIR")});
    args.process(app);
    if (!args.isSet(QStringLiteral("service")) || !args.isSet(QStringLiteral("out"))) {
        std::fprintf(stderr, "kovrel-screens: --service and --out are needed\n");
        return 2;
    }
    BaseURL = args.value(QStringLiteral("service"));
    const QDir out(args.value(QStringLiteral("out")));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "kovrel-screens: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    TMainF main(args.value(QStringLiteral("settings")));
    settle(&main);
    int failed = 0;
    for (const TTourStop& stop : WindowTour(main)) {
        TTourOpened opened;
        QWidget* window = stop.show(main, opened);
        settle(window);
        const QString file = out.filePath(stop.name + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "kovrel-screens: cannot write %s\n", qPrintable(file));
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
