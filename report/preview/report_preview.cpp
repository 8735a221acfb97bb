#include "report_preview.h"

#include "page_painter.h"
#include "report_writer.h"
#include "user_interaction.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kWholePage = QStringLiteral("Вся страница");
const QString kPageWidth = QStringLiteral("По ширине");

QPageLayout pageLayoutOf(const ReportPageSetup& page) {
    return QPageLayout(QPageSize(page.paper, QPageSize::Millimeter),
                       page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

// The title as a file name: characters that file systems refuse become "_".
QString proposedFileName(QString title) {
    static const QRegularExpression refused(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f])"));
    return title.replace(refused, QStringLiteral("_"));
}

} // namespace

ReportPreview::ReportPreview(PreparedReport report, ReportPageSetup page, Rebuild rebuild, QWidget* parent)
    : QDialog(parent)
    , m_report(std::move(report))
    , m_page(page)
    , m_rebuild(std::move(rebuild))
    , m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Предварительный просмотр - %1").arg(m_report.caption()));
    configurePrinter();
    m_view = new QPrintPreviewWidget(&m_printer, this);
    m_view->setObjectName(QStringLiteral("PreviewPages"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPages);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::showPosition);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildToolBar();
    layout->addWidget(m_view);
    resize(1000, 800);
    setZoomPercent(100);
}

void ReportPreview::configurePrinter() {
    m_printer.setFullPage(true);
    m_printer.setPageLayout(pageLayoutOf(m_page));
    m_printer.setDocName(m_report.caption());
}

void ReportPreview::buildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("PreviewToolBar"));
    layout()->addWidget(bar);

    bar->addAction(QStringLiteral("Печать"), this, &ReportPreview::print)
        ->setObjectName(QStringLiteral("ActPrint"));
    bar->addAction(QStringLiteral("PDF"), this, &ReportPreview::exportPdf)
        ->setObjectName(QStringLiteral("ActPdf"));
    QAction* setup = bar->addAction(QStringLiteral("Параметры страницы"), this, &ReportPreview::pageSetup);
    setup->setObjectName(QStringLiteral("ActPageSetup"));
    setup->setEnabled(bool(m_rebuild));
    bar->addSeparator();

    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("ComBoxZoom"));
    m_zoom->setEditable(true);
    m_zoom->addItems({kWholePage, kPageWidth, QStringLiteral("50%"), QStringLiteral("75%"),
                      QStringLiteral("100%"), QStringLiteral("150%"), QStringLiteral("200%")});
    connect(m_zoom, &QComboBox::textActivated, this, [this](const QString& text) {
        if (text == kWholePage) return fitPage();
        if (text == kPageWidth) return fitWidth();
        bool ok = false;
        const double percent = QString(text).remove(QLatin1Char('%')).trimmed().toDouble(&ok);
        if (ok && percent >= 10 && percent <= 1000) setZoomPercent(percent);
    });
    bar->addWidget(m_zoom);
    bar->addSeparator();

    bar->addAction(QStringLiteral("<<"), this, [this] { goToPage(1); })
        ->setObjectName(QStringLiteral("ActFirst"));
    bar->addAction(QStringLiteral("<"), this, [this] { goToPage(currentPage() - 1); })
        ->setObjectName(QStringLiteral("ActPrior"));
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("EdPage"));
    m_pageBox->setRange(1, std::max(1, int(m_report.pages.size())));
    connect(m_pageBox, &QSpinBox::editingFinished, this, [this] { goToPage(m_pageBox->value()); });
    bar->addWidget(m_pageBox);
    m_pageCount = new QLabel(bar);
    bar->addWidget(m_pageCount);
    bar->addAction(QStringLiteral(">"), this, [this] { goToPage(currentPage() + 1); })
        ->setObjectName(QStringLiteral("ActNext"));
    bar->addAction(QStringLiteral(">>"), this, [this] { goToPage(int(m_report.pages.size())); })
        ->setObjectName(QStringLiteral("ActLast"));
    bar->addSeparator();

    m_find = new QLineEdit(bar);
    m_find->setObjectName(QStringLiteral("EdFind"));
    m_find->setPlaceholderText(QStringLiteral("Найти"));
    m_find->setMaximumWidth(200);
    auto find = [this] {
        if (!m_find->text().isEmpty() && !findNext(m_find->text()))
            ShowInfo(QStringLiteral("Текст \"%1\" не найден.").arg(m_find->text()));
    };
    connect(m_find, &QLineEdit::returnPressed, this, find);
    bar->addWidget(m_find);
    bar->addAction(QStringLiteral("Найти далее"), this, find)->setObjectName(QStringLiteral("ActFind"));
}

void ReportPreview::paintPages(QPrinter* printer) {
    QPainter painter(printer);
    const double pxPerMm = printer->resolution() / 25.4;
    int first = 0;
    int last = int(m_report.pages.size()) - 1;
    if (m_printing && printer->printRange() == QPrinter::PageRange) {
        first = std::max(first, printer->fromPage() - 1);
        last = std::min(last, printer->toPage() - 1);
    }
    for (int i = first; i <= last; ++i) {
        if (i > first) printer->newPage();
        QList<QRectF> highlights;
        if (!m_printing && i == m_hitPage) highlights << m_report.pages[i].texts[m_hitText].rect;
        PagePainter::paint(painter, m_report.pages[i], pxPerMm, {}, highlights);
    }
}

int ReportPreview::currentPage() const {
    return m_view->currentPage();
}

double ReportPreview::zoomPercent() const {
    return m_view->zoomFactor() * 100;
}

void ReportPreview::setZoomPercent(double percent) {
    m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_view->setZoomFactor(percent / 100);
    m_zoom->setCurrentText(QStringLiteral("%1%").arg(qRound(percent)));
}

void ReportPreview::fitPage() {
    m_view->fitInView();
    m_zoom->setCurrentText(kWholePage);
}

void ReportPreview::fitWidth() {
    m_view->fitToWidth();
    m_zoom->setCurrentText(kPageWidth);
}

void ReportPreview::goToPage(int page) {
    m_view->setCurrentPage(std::clamp(page, 1, std::max(1, int(m_report.pages.size()))));
    showPosition();
}

void ReportPreview::showPosition() {
    const int count = int(m_report.pages.size());
    m_pageBox->setRange(1, std::max(1, count));
    m_pageBox->setValue(currentPage());
    m_pageCount->setText(QStringLiteral(" из %1 ").arg(count));
}

bool ReportPreview::findNext(const QString& text) {
    const int pages = int(m_report.pages.size());
    // Start right after the last hit when there is one on the current page, else at its top.
    int page = currentPage() - 1;
    int from = page == m_hitPage ? m_hitText + 1 : 0;
    for (int step = 0; step <= pages; ++step, page = (page + 1) % pages, from = 0) {
        const auto& texts = m_report.pages[page].texts;
        for (int t = from; t < texts.size(); ++t)
            if (texts[t].lines.join(QLatin1Char(' ')).contains(text, Qt::CaseInsensitive)) {
                m_hitPage = page;
                m_hitText = t;
                m_view->updatePreview();
                goToPage(page + 1);
                return true;
            }
    }
    return false;
}

bool ReportPreview::applyPageSetup(const ReportPageSetup& page) {
    if (!m_rebuild) return false;
    PrepareResult result = m_rebuild(page);
    if (!result) {
        ShowInfo(result.error);
        return false;
    }
    m_report = std::move(*result.report);
    m_page = page;
    m_hitPage = m_hitText = -1;
    configurePrinter();
    m_view->updatePreview();
    showPosition();
    return true;
}

void ReportPreview::pageSetup() {
    QPrinter chosen;
    chosen.setPageLayout(QPageLayout(QPageSize(m_page.paper, QPageSize::Millimeter),
                                     m_page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     m_page.margins, QPageLayout::Millimeter));
    QPageSetupDialog dialog(&chosen, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QPageLayout layout = chosen.pageLayout();
    ReportPageSetup page;
    page.paper = layout.pageSize().size(QPageSize::Millimeter);
    page.landscape = layout.orientation() == QPageLayout::Landscape;
    page.margins = layout.margins(QPageLayout::Millimeter);
    applyPageSetup(page);
}

void ReportPreview::print() {
    QPrintDialog dialog(&m_printer, this);
    dialog.setMinMax(1, int(m_report.pages.size()));
    if (dialog.exec() != QDialog::Accepted) return;
    m_printing = true;
    m_view->print();
    m_printing = false;
}

void ReportPreview::exportPdf() {
    const QString path = AskSaveFileName(
        FileDialogPurpose::Pdf, QStringLiteral("Экспорт в PDF"), QStringLiteral("PDF (*.pdf)"),
        proposedFileName(m_report.caption()) + QStringLiteral(".pdf"), QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    const QString error = ReportWriter::writePdf(m_report, path);
    if (!error.isEmpty()) ShowInfo(QStringLiteral("Файл не записан: %1").arg(error));
}
