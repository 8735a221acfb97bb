#include "doc_fields.h"

#include "doc_text.h"

DocFields::DocFields(double valuePx, double captionPx, double gap)
    : m_valuePx(valuePx)
    , m_captionPx(captionPx)
    , m_gap(gap) {}

double DocFields::captionHeight() const {
    return PxToMm(m_captionPx) * 1.25;
}

double DocFields::add(ReportBand& band, double x, double y, double height, const QString& label,
                      double labelWidth, const QList<DocField>& fields) const {
    if (!label.isEmpty())
        band.texts << DocText(x, y, labelWidth, height, label, m_valuePx).bottom().padding(0);
    x += labelWidth;
    for (const DocField& f : fields) {
        if (!f.value.isEmpty()) {
            DocText value =
                DocText(x, y, f.width, height, f.value, m_valuePx).bottom().padding(0).format(f.format);
            if (f.rule) value.center();
            if (f.grow) value.grow();
            band.texts << value;
        }
        if (f.rule) band.lines << ReportLine{QLineF(x, y + height, x + f.width, y + height), PxToMm(1), true};
        if (!f.caption.isEmpty())
            band.texts << DocText(x, y + height, f.width, captionHeight(), f.caption, m_captionPx)
                              .center()
                              .grow()
                              .padding(0);
        x += f.width + m_gap;
    }
    band.height = std::max(band.height, y + height + captionHeight());
    return x - m_gap;
}
