#pragma once

#include "number_format.h"
#include "report_data_source.h"

#include <QHash>
#include <QList>
#include <QString>

// Where the layout stands when a text is expanded.
struct ExpandContext {
    int page = 1;
    int totalPages = 0;   // 0 in the first pass, before the pages are counted
    int line = 0;         // running number of the current master data line, from 1
    QString masterSource; // the source whose record `record` is current
    int record = 0;
};

// Replaces the variables of a text: [Source."field"] with the field's value in the current
// record of that source (record 0 of any other source), [Page#], [TotalPages#] and [Line#].
// Numbers are written with the element's format. A source that does not exist is a fault of
// the template and throws ReportError; a field the source does not know prints as nothing.
class TextExpander {
public:
    explicit TextExpander(const QList<ReportDataSource>& sources);

    QString expand(const QString& text, const NumberFormat& format, const ExpandContext& context) const;
    const ReportDataSource* source(const QString& name) const;

private:
    QVariant value(const QString& source, const QString& field, const ExpandContext& context) const;

    QHash<QString, ReportDataSource> m_sources;
};
