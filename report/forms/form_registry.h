#pragma once

#include "report_grid.h"
#include "report_template.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// Every print form of the program in one place: the report pages' printed reports and the
// goods documents' forms, with the title people see, who prints each (a document kind at a
// position of its print list, or a report page), the data sources it reads with the fields
// each declares, and its editions by the date from which each applies. The editors' print
// lists, DocForms, ReportPrint, kovrel-cli (print, print-doc and --help) and the golden page
// dumps all read it: adding a form is an entry here and its builder.

// A data source of a form and the fields it declares: the only fields the form may name.
struct FormSource {
    QString name;
    QStringList fields;
};

// Who prints a form: a goods document kind ("nkl", "prh", "invoice", "vnk") at a position of
// its print list, under the list's text; or a report page by its operation ("RunRepOst",
// position -1).
struct FormUse {
    QString kind;
    int position = -1;
    QString listText;
    QString title; // the paper's own title for this kind, when the form's title is not it
};

// What a builder is given beside the form's own layout.
struct FormInput {
    QString documentTitle;                   // the simple forms' heading: "Накладная", "Заказ"
    std::shared_ptr<const TReportGrid> grid; // the table of a printed report
    bool landscape = false;                  // a printed report's orientation
};

// An edition of a form, in force from `from` on (an invalid date: from the beginning).
struct FormEdition {
    QDate from;
    QString name; // short, for people and file names: "534", "1096", "26"; empty for the only one
    std::function<ReportTemplate(const FormInput&)> build;
};

struct FormEntry {
    QString name;  // the template's name ("FRDocSF"), never shown to people
    QString title; // "Счет-фактура", "Остатки товаров"
    QList<FormUse> uses;
    QList<FormSource> sources;
    QList<FormEdition> editions; // oldest first
    // False for a form that leaves out the component lines of kits and lists what was sold,
    // each line with a price (the УПД, whose e-document has the same lines).
    bool kitComponents = true;

    // The edition in force on `date`; the oldest one for a date before all of them or an
    // invalid date.
    const FormEdition& editionOn(const QDate& date) const;
    const FormUse* use(const QString& kind) const;
    QStringList fields(const QString& source) const;
    // The edition's template, named and titled: `title` for people (a document's with its
    // number and date), the form's own title when empty.
    ReportTemplate make(const FormEdition& edition, const FormInput& input, const QString& title = {}) const;
};

class FormRegistry {
public:
    static const QList<FormEntry>& forms();
    static const FormEntry* find(const QString& name);
    // The form at a position of a kind's print list; a position without an entry prints the
    // list's first form; null for a kind with no list.
    static const FormEntry* printed(const QString& kind, int position);
    // A kind's print list: the texts by position.
    static QStringList printList(const QString& kind);
};
