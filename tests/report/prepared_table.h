#pragma once

#include "prepared_report.h"

#include <QList>
#include <QStringList>

// Reads back what a page prints as a framed table: the framed cells grouped into rows by their
// top edge and ordered by their left edge, each holding the text printed inside it.
QList<QStringList> PreparedTable(const PreparedPage& page);
// The text printed inside `rect`, its lines joined by "\n"; empty when there is none.
QString TextIn(const PreparedPage& page, const QRectF& rect);
