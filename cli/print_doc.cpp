#include "print_doc.h"

#include "doc_forms.h"
#include "stored_doc_print.h"
#include "usage_error.h"

namespace cli {

namespace {

int number(const QString& text, const char* what) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0)
        throw UsageError(QStringLiteral("%1 must be a number, not %2").arg(QLatin1String(what), text));
    return n;
}

// "0 накладная без упаковок, 1 накладная с упаковками, …"
QString formList(const TGoodsDocKind& kind) {
    QStringList forms;
    for (size_t i = 0; i < kind.printForms.size(); ++i)
        forms << QStringLiteral("%1 %2 (%3)")
                     .arg(i)
                     .arg(kind.printForms[i].title, QLatin1String(kind.printForms[i].form));
    return forms.join(QStringLiteral(", "));
}

} // namespace

PrintDocCommand ParsePrintDoc(const CliOptions& o) {
    const QStringList& p = o.positional;
    if (p.size() < 3) throw UsageError(QStringLiteral("print-doc needs KIND and ID"));
    if (p.size() > 4) throw UsageError(QStringLiteral("unexpected argument %1").arg(p[4]));
    PrintDocCommand c;
    c.kind = FindGoodsDocKind(p[1]);
    if (!c.kind)
        throw UsageError(QStringLiteral("unknown document kind %1 (nkl, prh, invoice or vnk)").arg(p[1]));
    c.id = number(p[2], "ID");
    if (p.size() > 3) {
        c.form = number(p[3], "FORM");
        if (static_cast<size_t>(c.form) >= c.kind->printForms.size())
            throw UsageError(QStringLiteral("%1 prints no form %2; its forms are %3")
                                 .arg(QLatin1String(c.kind->name), p[3], formList(*c.kind)));
    }
    return c;
}

PrintOutput PrintStoredDoc(const PrintDocCommand& c, const CliOptions& o) {
    const QString form = QLatin1String(c.kind->PrintForm(c.form).form);
    TStoredDocPrint doc;
    QString failure;
    if (!doc.Read(*c.kind, c.id, failure)) {
        PrintOutput out;
        out.templateName = form;
        out.failure = failure;
        return out;
    }
    return WritePrinted(form, DocForms::prepare(form, doc.Data()), o);
}

QString PrintDocForms() {
    QString text;
    for (const TGoodsDocKind* kind : GoodsDocKinds())
        text += QStringLiteral("  %1  %2\n").arg(QLatin1String(kind->name), formList(*kind));
    return text;
}

} // namespace cli
