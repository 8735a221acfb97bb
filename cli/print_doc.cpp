#include "print_doc.h"

#include "date_time.h"
#include "doc_forms.h"
#include "form_registry.h"
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

// "0 накладная без упаковок (FRDoc1), …, 2 счет-фактура (FRDocSF: 534 from 01.07.2021, …)"
QString formList(const TGoodsDocKind& kind) {
    const QString name = QLatin1String(kind.name);
    const QStringList list = FormRegistry::printList(name);
    QStringList forms;
    for (int i = 0; i < list.size(); ++i) {
        const FormEntry& form = *FormRegistry::printed(name, i);
        QStringList editions;
        for (const FormEdition& e : form.editions)
            if (!e.name.isEmpty())
                editions << QStringLiteral("%1 from %2")
                                .arg(e.name, e.from.toString(QStringLiteral("dd.MM.yyyy")));
        forms << QStringLiteral("%1 %2 (%3%4)")
                     .arg(i)
                     .arg(list[i], form.name,
                          editions.isEmpty() ? QString()
                                             : QStringLiteral(": ") + editions.join(QStringLiteral(", ")));
    }
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
        if (c.form >= FormRegistry::printList(QLatin1String(c.kind->name)).size())
            throw UsageError(QStringLiteral("%1 prints no form %2; its forms are %3")
                                 .arg(QLatin1String(c.kind->name), p[3], formList(*c.kind)));
    }
    c.status = UpdStatusOption(o);
    if (c.status && DocForms::printedForm(*c.kind, c.form) != QLatin1String("FRDocUPD"))
        throw UsageError(QStringLiteral("--status goes with the УПД (print-doc nkl ID 4) and upd only"));
    return c;
}

PrintOutput PrintStoredDoc(const PrintDocCommand& c, const CliOptions& o) {
    const QString form = DocForms::printedForm(*c.kind, c.form);
    TStoredDocPrint doc;
    QString failure;
    if (!doc.Read(*c.kind, c.id, failure)) {
        PrintOutput out;
        out.templateName = form;
        out.failure = failure;
        return out;
    }
    TDocPrintData data = doc.Data();
    data.SetUpdStatus(c.status);
    PrintOutput out = WritePrinted(form, DocForms::prepare(form, data), o);
    out.edition = FormRegistry::find(form)->editionOn(kovrel::DateOf(doc.Data().Rec().DocDate)).name;
    return out;
}

QString PrintDocForms() {
    QString text;
    for (const TGoodsDocKind* kind : GoodsDocKinds())
        text += QStringLiteral("  %1  %2\n").arg(QLatin1String(kind->name), formList(*kind));
    return text;
}

QString PrintedReports() {
    QString text;
    for (const FormEntry& form : FormRegistry::forms())
        for (const FormUse& use : form.uses)
            if (use.position < 0)
                text += QStringLiteral("  %1  %2 (%3)\n").arg(use.kind, form.title, form.name);
    return text;
}

} // namespace cli
