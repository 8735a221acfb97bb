#include "report_writer.h"

#include "page_painter.h"

#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

QPageLayout layoutOf(const PreparedPage& page) {
    const QSizeF size = page.size;
    const bool landscape = size.width() > size.height();
    const QPageSize paper(landscape ? size.transposed() : size, QPageSize::Millimeter);
    return QPageLayout(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

QString saveError(const QSaveFile& file) {
    return QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
}

} // namespace

QString ReportWriter::writePdf(const PreparedReport& report, const QString& path) {
    if (report.pages.isEmpty()) return QStringLiteral("the report has no pages");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return saveError(file);
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Kovrel"));
        writer.setTitle(report.caption());
        writer.setResolution(1200);
        writer.setPageLayout(layoutOf(report.pages.first()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return QStringLiteral("cannot start the PDF %1").arg(path);
        }
        const double pxPerMm = writer.resolution() / 25.4;
        for (int i = 0; i < report.pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(layoutOf(report.pages[i]));
                writer.newPage();
            }
            PagePainter::paint(painter, report.pages[i], pxPerMm);
        }
        painter.end();
    }
    if (!file.commit()) return saveError(file);
    return {};
}

QString ReportWriter::pngName(const PreparedReport& report, int page) {
    return QStringLiteral("%1-%2.png")
        .arg(report.name.isEmpty() ? QStringLiteral("page") : report.name)
        .arg(page + 1, 3, 10, QLatin1Char('0'));
}

QString ReportWriter::writePngs(const PreparedReport& report, const QString& dir, int dpi) {
    if (report.pages.isEmpty()) return QStringLiteral("the report has no pages");
    if (!QDir().mkpath(dir)) return QStringLiteral("cannot create the folder %1").arg(dir);
    const double pxPerMm = dpi / 25.4;
    QStringList written;
    for (int i = 0; i < report.pages.size(); ++i) {
        const PreparedPage& page = report.pages[i];
        QImage image(qRound(page.size.width() * pxPerMm), qRound(page.size.height() * pxPerMm),
                     QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PagePainter::paint(painter, page, pxPerMm);
        }
        QSaveFile file(QDir(dir).filePath(pngName(report, i)));
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
            const QString error = saveError(file);
            for (const QString& done : written)
                QFile::remove(done);
            return error;
        }
        written << file.fileName();
    }
    return {};
}
