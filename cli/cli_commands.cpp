#include "cli_commands.h"

#include "cli_help.h"
#include "cli_options.h"
#include "form_load.h"
#include "format_settings.h"
#include "grid_export_file.h"
#include "grid_table.h"
#include "operation_table.h"
#include "report_table.h"
#ifdef KOVREL_CLI_PRINT
#include "print_doc.h"
#include "print_table.h"
#include "upd_command.h"
#endif
#include "session.h"
#include "sign_in.h"
#include "usage_error.h"

#include <QJsonArray>

namespace {

using namespace cli;

struct Outcome {
    bool ok = true;
    QString failure; // why not ok
};

void applyCredentials(const Credentials& c) {
    BaseURL = c.service;
    Login = c.login;
    DopLogin = c.user;
    Token = c.password;
    ClientTag = QStringLiteral(KOVREL_CLIENT_TAG);
}

// The operation's own result, and whether the request object logged a failure on the way: a
// list query that failed must not look like an empty list.
Outcome outcomeOf(const QString& operation, const TFormLoad& fl, const CallResult& r) {
    if (fl.Failed()) return {false, QStringLiteral("%1 failed: %2").arg(operation, fl.MemoInfo.last())};
    if (!r.result.value_or(true))
        return {false,
                QStringLiteral("%1 failed: the service did not confirm it (no status 200)").arg(operation)};
    return {};
}

struct Command {
    QString name;
    const Operation* op = nullptr;
    const ReportEntry* report = nullptr;
    Invoke invoke;
    Compute compute;
    GridCompute grid;    // the page's grid instead of the report's rows
    GridExport exportTo; // export: the page's grid written to a file instead of printed
#ifdef KOVREL_CLI_PRINT
    std::optional<ReportControls> print; // the grid printed, with the title of these controls
#endif
};

const char* const kCommands = "call, report, grid, export, print, print-doc, upd or sign-in";

Command prepareCommand(const CliOptions& o) {
    const QString& command = o.positional[0];
    const bool exporting = command == QLatin1String("export");
    const bool print = command == QLatin1String("print");
    const bool grid = exporting || print || command == QLatin1String("grid");
    const bool report = grid || command == QLatin1String("report");
    if (!report && command != QLatin1String("call"))
        throw UsageError(QStringLiteral("unknown command %1 (%2)").arg(command, QLatin1String(kCommands)));
#ifdef KOVREL_CLI_PRINT
    CheckPrintOptions(o, print ? "print" : nullptr);
#else
    if (print) throw UsageError(QStringLiteral("this kovrel-cli was built without report printing"));
#endif

    if (o.positional.size() < 2) throw UsageError(QStringLiteral("%1 needs an operation name").arg(command));
    if (o.positional.size() > 3)
        throw UsageError(
            QStringLiteral("unexpected argument %1 (ARGS_JSON is one argument)").arg(o.positional[3]));
    Command c;
    c.name = o.positional[1];
    if (exporting) c.exportTo = PrepareExport(o);
    c.op = FindOperation(c.name);
    if (!c.op) throw UsageError(QStringLiteral("unknown operation %1").arg(c.name));
    if (report) {
        c.report = FindReport(c.name);
        if (!c.report) throw UsageError(QStringLiteral("%1 is not a report operation").arg(c.name));
    }
    CallArgs args = CallArgs::Parse(o.positional.value(2, QStringLiteral("{}")));
    if (grid) c.grid = PrepareGrid(c.name, args); // first: it may pass a choice on to the operation
#ifdef KOVREL_CLI_PRINT
    if (print) c.print = ReadPrintControls(c.name, args);
#endif
    c.invoke = c.op->prepare(args);
    if (c.report && !grid) c.compute = c.report->prepare(args);
    args.CheckAllUsed(c.name);
    if (o.format && !c.report && !c.op->returnsRecords)
        throw UsageError(
            QStringLiteral("%1 returns no records to print as rows; leave out --format").arg(c.name));
    return c;
}

CliResult finish(const OutputDocument& doc, const Outcome& outcome, QByteArray out = {}) {
    CliResult result;
    if (out.isNull())
        result.doc = doc;
    else
        result.out = out;
    result.exitCode = outcome.ok ? 0 : 1;
    result.error = outcome.failure;
    return result;
}

// The options of upd belong to it alone; print-doc takes --status too, for the paper УПД.
void checkUpdOptions(const CliOptions& o, bool printDoc) {
    if (o.out || o.from || o.to || (o.status && !printDoc))
        throw UsageError(printDoc ? QStringLiteral("--out, --from and --to go with upd only")
                                  : QStringLiteral("--out, --status, --from and --to go with upd only"));
}

#ifdef KOVREL_CLI_PRINT
// {"ok", "template", "title", "pages", "files"}, "edition" for a form of several, and, when
// given, the request's log.
CliResult printed(const PrintOutput& p, Outcome outcome, const QStringList* log = nullptr) {
    if (outcome.ok && !p.failure.isEmpty()) outcome = {false, p.failure};
    OutputDocument doc;
    doc.Add(QStringLiteral("ok"), outcome.ok);
    doc.Add(QStringLiteral("template"), p.templateName);
    doc.Add(QStringLiteral("title"), p.title);
    if (!p.edition.isEmpty()) doc.Add(QStringLiteral("edition"), p.edition);
    doc.Add(QStringLiteral("pages"), p.pages);
    doc.Add(QStringLiteral("files"), p.files);
    if (log) doc.Add(QStringLiteral("log"), *log);
    return finish(doc, outcome);
}

// Nothing is written when the query failed: a print of a partial report would pass for a whole.
CliResult runPrint(const CliOptions& o, const Command& c, const TFormLoad& fl, const Outcome& queried,
                   const TReportGrid& g) {
    PrintOutput p;
    if (queried.ok) p = PrintGrid(c.name, g, *c.print, o);
    return printed(p, queried, &fl.MemoInfo);
}

// The arguments are checked before anything is sent.
CliResult runPrintDoc(const CliOptions& o, const QProcessEnvironment& env) {
    CheckPrintOptions(o, "print-doc");
    const PrintDocCommand c = ParsePrintDoc(o);
    applyCredentials(ResolveCredentials(o, env));
    return printed(PrintStoredDoc(c, o), {});
}
#endif

CliResult runOperation(const CliOptions& o, const Command& c) {
    TFormLoad fl;
    CallResult r;
    c.invoke(fl, r);
    Outcome outcome = outcomeOf(c.name, fl, r);
    if (c.exportTo && outcome.ok) {
        const QString failure = c.exportTo(c.grid(r));
        if (!failure.isEmpty()) outcome = {false, failure};
    }
#ifdef KOVREL_CLI_PRINT
    if (c.print) return runPrint(o, c, fl, outcome, c.grid(r));
#endif
    OutputDocument doc;
    doc.Add(QStringLiteral("ok"), outcome.ok);
    if (c.exportTo) {
        doc.Add(QStringLiteral("log"), fl.MemoInfo);
        return finish(doc, outcome);
    }
    if (c.grid) {
        const TReportGrid g = c.grid(r);
        if (o.format) return finish(doc, outcome, ToDelimited(g.Rows, *o.format));
        QJsonArray widths;
        for (int w : g.Widths)
            widths.append(w);
        doc.Add(QStringLiteral("cells"), g.Rows);
        doc.Add(QStringLiteral("widths"), widths);
        doc.Add(QStringLiteral("fixedRows"), g.FixedRows);
        doc.Add(QStringLiteral("fixedCols"), g.FixedCols);
        doc.Add(QStringLiteral("log"), fl.MemoInfo);
        return finish(doc, outcome);
    }
    if (c.report) {
        ReportOutput rep;
        c.compute(r, rep);
        doc.Add(QStringLiteral("rows"), rep.rows);
        doc.Add(QStringLiteral("totals"), rep.totals);
        if (rep.opening) doc.Add(QStringLiteral("Opening"), *rep.opening);
        doc.Add(QStringLiteral("log"), fl.MemoInfo);
        if (o.format) return finish(doc, outcome, ToDelimited(rep.columns, rep.rows, *o.format));
        return finish(doc, outcome);
    }
    if (r.rec) doc.Add(QStringLiteral("Rec"), *r.rec);
    if (r.list) doc.Add(QStringLiteral("L"), *r.list);
    if (r.text) doc.Add(QStringLiteral("text"), *r.text);
    doc.Add(QStringLiteral("log"), fl.MemoInfo);
    if (!o.format) return finish(doc, outcome);
    if (r.list) return finish(doc, outcome, ToDelimited(r.listColumns, *r.list, *o.format));
    const FieldValues rec = r.rec.value_or(FieldValues());
    return finish(
        doc, outcome,
        ToDelimited(rec.Names(), FieldRows{r.rec ? 1 : 0, [rec](qsizetype) { return rec; }}, *o.format));
}

CliResult runSignIn(const CliOptions& o, const QProcessEnvironment& env) {
    if (o.positional.size() > 1) throw UsageError(QStringLiteral("sign-in takes no arguments"));
    if (o.format) throw UsageError(QStringLiteral("sign-in prints JSON only; leave out --format"));
    applyCredentials(ResolveCredentials(o, env));
    kovrel::HttpTransport http(false); // as the sign-in page: redirects are not followed
    const kovrel::SignInOutcome sent = kovrel::SignInRequest(http);
    const kovrel::SignInVerdict verdict = kovrel::VerdictOf(SignInState);
    // A script reads the transport's own words, as the log keeps them.
    Outcome outcome{!sent.failed && verdict.success, sent.failed ? sent.technical : verdict.text};
    FieldValues state;
    state.Set(QStringLiteral("testAdminLogin"), SignInState.testAdminLogin);
    state.Set(QStringLiteral("testAdminPas"), SignInState.testAdminPas);
    state.Set(QStringLiteral("flagAdmin"), SignInState.flagAdmin);
    state.Set(QStringLiteral("userName"), SignInState.userName);
    state.Set(QStringLiteral("userID"), SignInState.userID);
    OutputDocument doc;
    doc.Add(QStringLiteral("ok"), outcome.ok);
    doc.Add(QStringLiteral("SignInState"), state);
    doc.Add(QStringLiteral("text"), verdict.text);
    doc.Add(QStringLiteral("log"), sent.failed ? QStringList{sent.technical} : QStringList());
    if (outcome.ok) outcome.failure.clear();
    return finish(doc, outcome);
}

} // namespace

bool IsPrintCommand(const QStringList& args) {
    try {
        const CliOptions o = ParseCommandLine(args);
        const QString command = o.positional.value(0);
        return !o.help && (command == QLatin1String("print") || command == QLatin1String("print-doc"));
    } catch (const UsageError&) {
        return false;
    }
}

CliResult RunCli(const QStringList& args, const QProcessEnvironment& env) {
    // Number and date texts as the program shows them.
    BuildFormatSettings();
    try {
        const CliOptions o = ParseCommandLine(args);
        if (o.help) return {0, HelpText().toUtf8(), {}, {}};
        if (o.positional.isEmpty())
            throw UsageError(QStringLiteral("no command given (%1)").arg(QLatin1String(kCommands)));
        if (o.positional[0] == QLatin1String("upd")) {
#ifdef KOVREL_CLI_PRINT
            const UpdCommand c = ParseUpd(o);
            applyCredentials(ResolveCredentials(o, env));
            return RunUpd(c);
#else
            throw UsageError(QStringLiteral("this kovrel-cli was built without the e-documents"));
#endif
        }
        checkUpdOptions(o, o.positional[0] == QLatin1String("print-doc"));
        if (o.positional[0] == QLatin1String("sign-in")) return runSignIn(o, env);
        if (o.positional[0] == QLatin1String("print-doc")) {
#ifdef KOVREL_CLI_PRINT
            return runPrintDoc(o, env);
#else
            throw UsageError(QStringLiteral("this kovrel-cli was built without report printing"));
#endif
        }
        const Command c = prepareCommand(o);
        applyCredentials(ResolveCredentials(o, env));
        return runOperation(o, c);
    } catch (const UsageError& e) {
        return {2, {}, e.Message() + QStringLiteral("; see kovrel-cli --help"), {}};
    }
}
