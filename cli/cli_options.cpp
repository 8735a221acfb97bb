#include "cli_options.h"

#include "session.h"
#include "settings_file.h"
#include "usage_error.h"

#include <QFile>
#include <QUrl>

namespace {

struct ValueOption {
    const char* name;
    std::optional<QString> CliOptions::*field;
};

constexpr ValueOption kValueOptions[] = {
    {"--service", &CliOptions::service},   {"--login", &CliOptions::login}, {"--user", &CliOptions::user},
    {"--password", &CliOptions::password}, {"--ini", &CliOptions::ini},     {"--xlsx", &CliOptions::xlsx},
    {"--text", &CliOptions::text},         {"--calc", &CliOptions::calc},   {"--screen", &CliOptions::screen},
    {"--pdf", &CliOptions::pdf},           {"--png", &CliOptions::png},     {"--out", &CliOptions::out},
    {"--status", &CliOptions::status},     {"--from", &CliOptions::from},   {"--to", &CliOptions::to},
};

TextFormat formatOf(const QString& name) {
    if (name == QLatin1String("tsv")) return TextFormat::Tsv;
    if (name == QLatin1String("csv")) return TextFormat::Csv;
    throw UsageError(QStringLiteral("unknown format %1 (tsv or csv; JSON is the default)").arg(name));
}

// The settings file the client writes; one that cannot be read is a mistake on the command line,
// not empty credentials.
TSettingsFile settingsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UsageError(
            QStringLiteral("cannot read the settings file %1: %2").arg(path, file.errorString()));
    return TSettingsFile(path);
}

QString serviceUrl(QString url) {
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    const QUrl parsed(url, QUrl::StrictMode);
    const bool web = parsed.scheme() == QLatin1String("http") || parsed.scheme() == QLatin1String("https");
    if (!parsed.isValid() || !web || parsed.host().isEmpty() || !parsed.path().isEmpty())
        throw UsageError(
            QStringLiteral("the service must be an address like http://host:port, not %1").arg(url));
    return url;
}

} // namespace

CliOptions ParseCommandLine(const QStringList& args) {
    CliOptions o;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            o.positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("--help")) {
            o.help = true;
            continue;
        }
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? arg : arg.left(eq);
        auto value = [&]() -> QString {
            if (eq >= 0) return arg.mid(eq + 1);
            if (i + 1 >= args.size()) throw UsageError(QStringLiteral("option %1 needs a value").arg(name));
            return args[++i];
        };
        if (name == QLatin1String("--format")) {
            o.format = formatOf(value());
            continue;
        }
        bool known = false;
        for (const ValueOption& v : kValueOptions)
            if (name == QLatin1String(v.name)) {
                o.*v.field = value();
                known = true;
            }
        if (!known) throw UsageError(QStringLiteral("unknown option %1").arg(name));
    }
    return o;
}

Credentials ResolveCredentials(const CliOptions& options, const QProcessEnvironment& env) {
    const std::optional<TSettingsFile> ini =
        options.ini ? std::optional(settingsFile(*options.ini)) : std::nullopt;
    auto pick = [&](const std::optional<QString>& option, const char* variable, const char* iniKey) {
        if (option) return option->trimmed();
        const QString fromEnv = env.value(QLatin1String(variable));
        if (!fromEnv.isEmpty()) return fromEnv.trimmed();
        return ini ? ini->ReadString(QStringLiteral("Config"), QString::fromLatin1(iniKey)) : QString();
    };
    Credentials c;
    c.login = pick(options.login, "KOVREL_LOGIN", "Login");
    c.user = pick(options.user, "KOVREL_USER", "DopLogin");
    c.password = pick(options.password, "KOVREL_PASSWORD", "Pas");
    if (c.user == c.login) c.user.clear();
    const QString service = options.service ? *options.service : env.value(QStringLiteral("KOVREL_SERVICE"));
    c.service = serviceUrl(service.trimmed().isEmpty() ? DefaultBaseURL() : service.trimmed());
    return c;
}

std::optional<int> UpdStatusOption(const CliOptions& options) {
    if (!options.status) return std::nullopt;
    if (*options.status == QLatin1String("1")) return 1;
    if (*options.status == QLatin1String("2")) return 2;
    throw UsageError(QStringLiteral("--status must be 1 or 2, not %1").arg(*options.status));
}
