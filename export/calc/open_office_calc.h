#pragma once

#include "office_process.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <string>

// A spreadsheet of LibreOffice Calc driven over UNO. Rows and columns count from 1 here and
// from 0 in the office. Office calls throw css::uno::Exception on failure.
class TOpenOfficeCalc {
public:
    // Starts the office and takes its service manager; false with Error() set when the office
    // is missing or does not start. `headless` runs it without windows.
    bool Connect(bool headless);
    // A new spreadsheet with its first sheet active; `hidden` keeps its window from showing.
    bool CreateDocument(bool hidden);
    static css::beans::PropertyValue ooCreateValue(const rtl::OUString& ooName, const css::uno::Any& ooData);
    bool ActivateSheetByIndex(int nIndex);
    // The text goes in as text as it stands: "=…" is never read as a formula, "1/2" never as a date.
    void SetCellText(int row, int col, const rtl::OUString& Txt);
    void SetCellValue(int row, int col, double value);
    // Fills the block from (row, 1) with one call: each element a double or a string, taken
    // like SetCellValue and SetCellText.
    void SetRows(int row, const css::uno::Sequence<css::uno::Sequence<css::uno::Any>>& data);
    // `width` in hundredths of a millimetre.
    void ColumnWidth(int col, int width);
    // Stores the document at a file URL in the format its extension names (.ods by default).
    void StoreToURL(const rtl::OUString& url);
    // Closes the document and, when it leaves the office with nothing open, the office too.
    void CloseDocument();
    // Lets go of the office; a document still open stays there for the user.
    void Disconnect();

    const std::string& Error() const { return m_error; }

private:
    css::uno::Reference<css::sheet::XSpreadsheet> activeSheet() const;

    OfficeProcess m_process;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::lang::XMultiComponentFactory> StarOffice;
    css::uno::Reference<css::lang::XComponent> Document;
    css::uno::Reference<css::sheet::XSpreadsheet> ActiveSheet;
    std::string m_error;
};
