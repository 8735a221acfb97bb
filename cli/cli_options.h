#pragma once

#include "output_document.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// The command line of kovrel-cli: options anywhere (before "--"), then COMMAND [OPERATION
// [ARGS_JSON]].
struct CliOptions {
    std::optional<QString> service;
    std::optional<QString> login;
    std::optional<QString> user;
    std::optional<QString> password;
    std::optional<QString> ini;
    // export: where the grid goes (one of the three) and the screen its widths are scaled for.
    std::optional<QString> xlsx;
    std::optional<QString> text;
    std::optional<QString> calc;
    std::optional<QString> screen;    // "WIDTHxHEIGHT"
    std::optional<TextFormat> format; // JSON when absent
    std::optional<QString> pdf;       // print: the PDF to write
    std::optional<QString> png;       // print: the folder of the page pictures
    std::optional<QString> out;       // upd: the folder of the files
    std::optional<QString> status;    // upd, print-doc of the УПД: "1" or "2"
    std::optional<QString> from;      // upd: the period, "yyyy-mm-dd"
    std::optional<QString> to;
    bool help = false;
    QStringList positional;
};

// Unknown options, missing values and unknown formats are usage errors.
CliOptions ParseCommandLine(const QStringList& args);

// The УПД's status asked for with --status: 1 or 2, nothing when left out; anything else is a
// usage error.
std::optional<int> UpdStatusOption(const CliOptions& options);

struct Credentials {
    QString service; // scheme and host, no trailing "/"
    QString login;
    QString user; // empty when the administrator works himself
    QString password;
};

// Each value from its option, else from the environment (KOVREL_SERVICE, KOVREL_LOGIN,
// KOVREL_USER, KOVREL_PASSWORD, when not empty), else from section "Config" of the --ini file
// (keys "Login", "DopLogin", "Pas"); the service falls back to the build's address. Values are
// trimmed, and a user login equal to the administrator's means the administrator.
Credentials ResolveCredentials(const CliOptions& options, const QProcessEnvironment& env);
