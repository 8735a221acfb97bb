#pragma once

#include "output_document.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// kovrel-cli as a function: the arguments (without the program name) and the environment in,
// what goes to stdout (`out`, then `doc`), the one-line message for stderr and the exit status out.
struct CliResult {
    int exitCode = 0; // 0 ok, 1 the operation failed or said no, 2 usage error
    QByteArray out;
    QString error;
    std::optional<OutputDocument> doc; // for stdout after `out`, written a piece at a time
};

CliResult RunCli(const QStringList& args, const QProcessEnvironment& env);

// True for the print and print-doc commands: they lay text out with fonts, so it needs a GUI application
// (on the offscreen platform: never a display).
bool IsPrintCommand(const QStringList& args);
