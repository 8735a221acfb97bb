#include "open_office_calc.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>

using namespace css;
using rtl::OUString;

namespace {

OUString filterFor(const OUString& url) {
    if (url.endsWithIgnoreAsciiCase(".fods")) return "OpenDocument Spreadsheet Flat XML";
    if (url.endsWithIgnoreAsciiCase(".xlsx")) return "Calc MS Excel 2007 XML";
    return "calc8";
}

} // namespace

bool TOpenOfficeCalc::Connect(bool headless) {
    if (StarOffice.is()) return true;
    m_context = m_process.Start(headless, m_error);
    if (m_context.is()) StarOffice = m_context->getServiceManager();
    return StarOffice.is();
}

bool TOpenOfficeCalc::CreateDocument(bool hidden) {
    const uno::Reference<frame::XDesktop2> desktop = frame::Desktop::create(m_context);
    uno::Sequence<beans::PropertyValue> p(1);
    p.getArray()[0] = ooCreateValue("Hidden", uno::Any(hidden));
    Document = desktop->loadComponentFromURL("private:factory/scalc", "_blank", 0, p);
    if (!Document.is()) return false;
    return ActivateSheetByIndex(1);
}

beans::PropertyValue TOpenOfficeCalc::ooCreateValue(const OUString& ooName, const uno::Any& ooData) {
    beans::PropertyValue value;
    value.Name = ooName;
    value.Value = ooData;
    return value;
}

bool TOpenOfficeCalc::ActivateSheetByIndex(int nIndex) {
    const uno::Reference<sheet::XSpreadsheetDocument> doc(Document, uno::UNO_QUERY_THROW);
    const uno::Reference<container::XIndexAccess> sheets(doc->getSheets(), uno::UNO_QUERY_THROW);
    ActiveSheet.set(sheets->getByIndex(nIndex - 1), uno::UNO_QUERY_THROW);
    return true;
}

uno::Reference<sheet::XSpreadsheet> TOpenOfficeCalc::activeSheet() const {
    if (!ActiveSheet.is()) throw uno::RuntimeException("no active sheet");
    return ActiveSheet;
}

void TOpenOfficeCalc::SetCellText(int row, int col, const OUString& Txt) {
    const uno::Reference<text::XText> cell(activeSheet()->getCellByPosition(col - 1, row - 1),
                                           uno::UNO_QUERY_THROW);
    cell->setString(Txt);
}

void TOpenOfficeCalc::SetCellValue(int row, int col, double value) {
    activeSheet()->getCellByPosition(col - 1, row - 1)->setValue(value);
}

void TOpenOfficeCalc::SetRows(int row, const uno::Sequence<uno::Sequence<uno::Any>>& data) {
    if (!data.hasElements() || !data[0].hasElements()) return;
    const uno::Reference<table::XCellRange> range = activeSheet()->getCellRangeByPosition(
        0, row - 1, data[0].getLength() - 1, row - 1 + data.getLength() - 1);
    uno::Reference<sheet::XCellRangeData>(range, uno::UNO_QUERY_THROW)->setDataArray(data);
}

void TOpenOfficeCalc::ColumnWidth(int col, int width) {
    const uno::Reference<table::XColumnRowRange> cell(activeSheet()->getCellByPosition(col - 1, 0),
                                                      uno::UNO_QUERY_THROW);
    const uno::Reference<beans::XPropertySet> column(cell->getColumns()->getByIndex(0), uno::UNO_QUERY_THROW);
    column->setPropertyValue("Width", uno::Any(static_cast<sal_Int32>(width)));
}

void TOpenOfficeCalc::StoreToURL(const OUString& url) {
    uno::Sequence<beans::PropertyValue> p(2);
    p.getArray()[0] = ooCreateValue("FilterName", uno::Any(filterFor(url)));
    p.getArray()[1] = ooCreateValue("Overwrite", uno::Any(true));
    uno::Reference<frame::XStorable>(Document, uno::UNO_QUERY_THROW)->storeToURL(url, p);
}

void TOpenOfficeCalc::CloseDocument() {
    if (!Document.is()) return;
    uno::Reference<util::XCloseable>(Document, uno::UNO_QUERY_THROW)->close(true);
    Document.clear();
    ActiveSheet.clear();
    const uno::Reference<frame::XDesktop2> desktop = frame::Desktop::create(m_context);
    const uno::Reference<container::XEnumerationAccess> components = desktop->getComponents();
    if (components.is() && components->createEnumeration()->hasMoreElements()) return;
    try {
        desktop->terminate();
    } catch (const lang::DisposedException&) {
        // The office went away while answering: what was asked of it is done.
    }
    m_process.Reap();
}

void TOpenOfficeCalc::Disconnect() {
    ActiveSheet.clear();
    Document.clear();
    StarOffice.clear();
    m_context.clear();
}
