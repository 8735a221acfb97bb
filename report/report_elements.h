#pragma once

#include "number_format.h"
#include "report_font.h"

#include <QLineF>
#include <QMarginsF>
#include <QRectF>
#include <QString>

// Sides of a frame, combinable.
enum FrameSide { FrameNone = 0, FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8, FrameAll = 15 };

// A text block of a band. Its text may hold variables: [Source."field"], [Page#],
// [TotalPages#] and [Line#] (the running number of the master data line).
// Positions are millimetres from the band's top left corner.
struct ReportText {
    QRectF rect;
    QString text;
    ReportFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    bool grow = false;    // the block grows downwards to hold all its lines (and the band with it)
    bool fitBand = false; // the block reaches down to the band's bottom once the band's height is known
    bool shift = false;   // moves down by as much as the growing texts above it (anywhere across) grew
    int frame = FrameNone;
    double frameWidth = PxToMm(1);
    QMarginsF padding{PxToMm(2), 0, PxToMm(2), 0};
    NumberFormat format;
};

struct ReportLine {
    QLineF line;
    double width = PxToMm(1);
    bool shift = false; // as a text's
};
