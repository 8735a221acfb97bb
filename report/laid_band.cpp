#include "laid_band.h"

void LaidBand::appendTo(PreparedPage& page, QPointF offset) const {
    for (PreparedFrame f : frames) {
        f.rect.translate(offset);
        page.frames << f;
    }
    for (PreparedLine l : lines) {
        l.line.translate(offset);
        page.lines << l;
    }
    for (PreparedText t : texts) {
        t.rect.translate(offset);
        page.texts << t;
    }
}
