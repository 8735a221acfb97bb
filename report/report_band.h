#pragma once

#include "report_cross_tab.h"
#include "report_elements.h"

#include <QList>
#include <QString>

#include <optional>

// A horizontal strip of a template: its elements are placed relative to its top left corner.
// A band with growing texts is as high as its tallest text needs, at least `height`. A band
// with a cross-tab prints the cross-tab below its own elements.
struct ReportBand {
    double height = 0;
    QList<ReportText> texts;
    QList<ReportLine> lines;
    std::optional<ReportCrossTab> crossTab;
};
