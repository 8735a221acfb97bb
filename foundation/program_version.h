#pragma once

#include <QString>

// The program's file version (major, minor, release, build), compiled in from the build's
// project version.
struct TProgramVersion {
    bool valid = false;
    int major = 0;
    int minor = 0;
    int release = 0;
    int build = 0;
};

TProgramVersion ProgramVersion();

// " 2024 R<minor> (сборка <build>)", shown after the program's name; empty without a version.
QString VersionText(const TProgramVersion& v);
// "W.<major>.<minor>.<build>", sent with every request; "W" without a version.
QString ClientTagOf(const TProgramVersion& v);
