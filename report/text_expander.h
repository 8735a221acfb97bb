#pragma once

#include "number_format.h"
#include "report_data_source.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// Where the layout stands when a text is expanded.
struct ExpandContext {
    int page = 1;
    int totalPages = 0;   // 0 in the first pass, before the pages are counted
    int line = 0;         // running number of the current master data line, from 1
    QString masterSource; // the source whose record `record` is current
    int record = 0;
    // Set while a page's totals are laid out: the master source's fields then read what its
    // records first..last add up to.
    bool totals = false;
    int first = 0;
    int last = -1;
};

// Replaces the variables of a text: [Source."field"] with the field's value in the current
// record of that source (record 0 of any other source), [Page#], [TotalPages#] and [Line#].
// Numbers are written with the element's format. A source that does not exist, or a field
// its source does not declare, is a fault of the template and throws ReportError.
class TextExpander {
public:
    explicit TextExpander(const QList<ReportDataSource>& sources);

    QString expand(const QString& text, const NumberFormat& format, const ExpandContext& context) const;
    const ReportDataSource* source(const QString& name) const;

    // The (source, field) pairs a text names.
    static QList<QPair<QString, QString>> variables(const QString& text);
    // Throws ReportError when `source` is unknown or does not declare `field`.
    void requireDeclared(const QString& source, const QString& field) const;

private:
    QVariant value(const QString& source, const QString& field, const ExpandContext& context) const;

    QHash<QString, ReportDataSource> m_sources;
};
