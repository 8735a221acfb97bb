#include "report_engine.h"

#include "cross_tab_flow.h"
#include "cross_tab_layout.h"
#include "page_flow.h"
#include "report_error.h"

namespace {

// The cross-tab is filled anew for every pass.
void printCrossTab(const ReportCrossTab& crossTab, BandLayout& bands, PageFlow& flow, double printableWidth) {
    CrossTabData data;
    if (crossTab.beforePrint) crossTab.beforePrint(data);
    CrossTabFlow(flow).place(CrossTabLayout(bands).layout(crossTab, data, printableWidth));
}

// A band's own elements first, then its cross-tab.
void printBand(const ReportBand& band, BandLayout& bands, PageFlow& flow, ExpandContext& context,
               double printableWidth) {
    if (band.height > 0 || !band.texts.isEmpty() || !band.lines.isEmpty())
        flow.place(bands.layout(band, context));
    if (band.crossTab) printCrossTab(*band.crossTab, bands, flow, printableWidth);
}

double bandHeight(const std::optional<ReportBand>& band, BandLayout& bands, const ExpandContext& context) {
    return band ? bands.layout(*band, context).height : 0;
}

// Every variable of every band names a field its source declares.
void requireDeclaredFields(const ReportTemplate& t, const TextExpander& expander) {
    for (const auto* band :
         {&t.title, &t.columnHeader, &t.masterData, &t.pageSummary, &t.summary, &t.child, &t.pageFooter})
        if (*band)
            for (const ReportText& text : (*band)->texts)
                for (const auto& [source, field] : TextExpander::variables(text.text))
                    expander.requireDeclared(source, field);
}

} // namespace

ReportEngine::ReportEngine(ReportTemplate tmpl, QList<ReportDataSource> sources)
    : m_tmpl(std::move(tmpl))
    , m_sources(std::move(sources)) {}

QList<PreparedPage> ReportEngine::layoutPass(TextMeasurer& measurer, int totalPages) const {
    const TextExpander expander(m_sources);
    BandLayout bands(measurer, expander);
    ExpandContext context;
    context.totalPages = totalPages;
    context.masterSource = m_tmpl.masterSource;
    PageFlow flow(m_tmpl, bands, context);
    const double width = m_tmpl.page.printableWidth();

    if (m_tmpl.title) printBand(*m_tmpl.title, bands, flow, context, width);
    if (m_tmpl.columnHeader) printBand(*m_tmpl.columnHeader, bands, flow, context, width);
    if (m_tmpl.masterData) {
        int records = 1; // a master band without a source prints once
        if (!m_tmpl.masterSource.isEmpty()) {
            const ReportDataSource* source = expander.source(m_tmpl.masterSource);
            if (!source) throw ReportError(QStringLiteral("unknown data source %1").arg(m_tmpl.masterSource));
            records = std::max(0, source->recordCount);
        }
        flow.setInData(true);
        for (int i = 0; i < records; ++i) {
            context.record = i;
            context.line = i + 1;
            const LaidBand line = bands.layout(*m_tmpl.masterData, context);
            if (m_tmpl.keepLastWithSummary && i == records - 1 && !flow.atPageTop()) {
                const double need = line.height + bandHeight(m_tmpl.summary, bands, context) +
                                    bandHeight(m_tmpl.child, bands, context) +
                                    (m_tmpl.keepCountsPageFooter ? flow.footerHeight() : 0);
                if (need > flow.freeSpace() + 1e-9) flow.newPage();
            }
            flow.placeRecord(line, i);
            if (m_tmpl.masterData->crossTab) printCrossTab(*m_tmpl.masterData->crossTab, bands, flow, width);
        }
        flow.setInData(false);
    }
    if (m_tmpl.summary) printBand(*m_tmpl.summary, bands, flow, context, width);
    if (m_tmpl.child) printBand(*m_tmpl.child, bands, flow, context, width);
    return flow.finish();
}

PrepareResult ReportEngine::prepare() const {
    PrepareResult result;
    try {
        requireDeclaredFields(m_tmpl, TextExpander(m_sources));
        TextMeasurer measurer;
        QList<PreparedPage> pages = layoutPass(measurer, 0);
        // The page count printed can change how texts break only in odd templates; a third
        // pass settles them.
        for (int pass = 0; pass < 2; ++pass) {
            const int counted = static_cast<int>(pages.size());
            pages = layoutPass(measurer, counted);
            if (pages.size() == counted) break;
        }
        result.report = PreparedReport{m_tmpl.name, m_tmpl.displayName, pages};
    } catch (const ReportError& e) {
        result.error = QStringLiteral("%1: %2").arg(m_tmpl.name, e.message());
    }
    return result;
}
