#pragma once

#include "prepared_report.h"
#include "report_engine.h"
#include "report_template.h"

#include <QDialog>
#include <QPrinter>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QSpinBox;

// The preview of a prepared report: opens at 100 %, zooms to the whole page, the page width or
// a percentage, moves between pages, finds text, prints through the print dialog (the system's
// default printer preselected), sets the page up and exports a PDF. The pages are drawn by the
// same painter as paper and PDF and cannot be edited.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    // Prepares the report anew for another paper, orientation or margins (page setup); without
    // it page setup is not offered.
    using Rebuild = std::function<PrepareResult(const ReportPageSetup&)>;

    ReportPreview(PreparedReport report, ReportPageSetup page, Rebuild rebuild = {},
                  QWidget* parent = nullptr);

    const PreparedReport& report() const { return m_report; }
    int currentPage() const; // from 1
    double zoomPercent() const;

    void setZoomPercent(double percent);
    void fitPage();
    void fitWidth();
    void goToPage(int page);
    // Finds the next occurrence after the current one, from the current page on, wrapping to
    // the first page; false when the text is nowhere.
    bool findNext(const QString& text);
    // Applies a page setup as the page setup dialog would.
    bool applyPageSetup(const ReportPageSetup& page);
    void exportPdf();
    void print();
    void pageSetup();

private:
    void buildToolBar();
    void paintPages(QPrinter* printer);
    void configurePrinter();
    void showPosition();

    PreparedReport m_report;
    ReportPageSetup m_page;
    Rebuild m_rebuild;
    QPrinter m_printer;
    QPrintPreviewWidget* m_view;
    QComboBox* m_zoom = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_pageCount = nullptr;
    QLineEdit* m_find = nullptr;
    int m_hitPage = -1; // the found text: page index and the index of its text primitive
    int m_hitText = -1;
    bool m_printing = false;
};
