#pragma once

#include "report_font.h"

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Lines of text already broken and positioned: the first line's top is rect's top, each next
// line lineHeight lower; every line is aligned horizontally in rect by `align`.
struct PreparedText {
    QRectF rect;
    ReportFont font; // family already resolved to an installed font
    Qt::Alignment align = Qt::AlignLeft;
    QStringList lines;
    double lineHeight = 0;
};

struct PreparedFrame {
    QRectF rect;
    int sides = 0; // FrameSide flags
    double width = 0;
};

struct PreparedLine {
    QLineF line;
    double width = 0;
};

// One laid-out page in millimetres from its top left corner. Frames and lines are drawn
// before texts.
struct PreparedPage {
    QSizeF size;
    QList<PreparedFrame> frames;
    QList<PreparedLine> lines;
    QList<PreparedText> texts;
};

// The pages a template and its data make: what every device paints and every test reads.
struct PreparedReport {
    QString name;
    QString displayName; // what people call it (ReportTemplate::displayName)
    QList<PreparedPage> pages;

    // The display name, or a general one: an internal name is never shown to people.
    QString caption() const { return displayName.isEmpty() ? QStringLiteral("Печатная форма") : displayName; }

    // One line per page and primitive: "page N WxH", "frame x y w h SIDES width",
    // "line x1 y1 x2 y2 width", "text x y w h family size flags|text" with the lines joined by
    // "\n"; millimetres with two decimals.
    QString dump() const;
    // All text lines of a page, top to bottom in the order they were laid out.
    QStringList pageLines(int page) const;
};
