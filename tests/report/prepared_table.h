#pragma once

#include "prepared_report.h"

#include <QList>
#include <QStringList>

// Reads back what a page prints as a framed table: the framed cells grouped into rows by their
// top edge and ordered by their left edge, each holding the text printed inside it.
QList<QStringList> PreparedTable(const PreparedPage& page);
// The text printed inside `rect`, its lines joined by "\n"; empty when there is none.
QString TextIn(const PreparedPage& page, const QRectF& rect);

// The texts printed in the column whose number-row cell says `number`, the row under the
// heading cell `heading` ("№ п/п" on the VAT invoice, "Номер по порядку" on TORG-12; the
// heading cell itself when it is the number), top to bottom: the lines, then the totals. With
// `framed` only those in framed cells (not the signatures below the table).
QStringList ColumnTexts(const PreparedPage& page, const QString& number, const QString& heading,
                        bool framed = true);

// A printed amount ("1 234,56") in kopecks; -1 for a text that is none.
qint64 Kopecks(QString text);
QList<qint64> Amounts(const QStringList& texts);
