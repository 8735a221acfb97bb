#pragma once

#include "laid_band.h"
#include "report_band.h"
#include "text_expander.h"
#include "text_measurer.h"

#include <QHash>

// Lays bands out: expands their texts, breaks them into lines on the reference device, grows
// the band to its tallest growing text and turns the elements into primitives.
class BandLayout {
public:
    BandLayout(TextMeasurer& measurer, const TextExpander& expander);

    LaidBand layout(const ReportBand& band, const ExpandContext& context);
    // The text laid into `rect` (padding not yet taken off): its frame and its visible lines.
    void addText(LaidBand& out, const ReportText& element, const QString& text, const QRectF& rect);
    // The font with its family replaced by the installed one; throws when none is installed.
    ReportFont resolved(const ReportFont& font);

    TextMeasurer& measurer() { return m_measurer; }

private:
    TextMeasurer& m_measurer;
    const TextExpander& m_expander;
    QHash<QString, QString> m_families;
};
