#include "program_version.h"

TProgramVersion ProgramVersion() {
#if defined(KOVREL_VERSION_MAJOR) && defined(KOVREL_VERSION_MINOR)
    TProgramVersion v;
    v.valid = true;
    v.major = KOVREL_VERSION_MAJOR;
    v.minor = KOVREL_VERSION_MINOR;
    v.release = KOVREL_VERSION_RELEASE;
    v.build = KOVREL_VERSION_BUILD;
    return v;
#else
    return {};
#endif
}

QString VersionText(const TProgramVersion& v) {
    if (!v.valid) return {};
    return QStringLiteral(" 2024 R%1 (сборка %2)").arg(v.minor).arg(v.build);
}

QString ClientTagOf(const TProgramVersion& v) {
    if (!v.valid) return QStringLiteral("W");
    return QStringLiteral("W.%1.%2.%3").arg(v.major).arg(v.minor).arg(v.build);
}
