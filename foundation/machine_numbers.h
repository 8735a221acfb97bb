#pragma once

#include <clocale>

// Numbers written for machines (the workbook's cells and widths, XML, CSV, JSON) follow the C
// locale's rules whatever the person's locale is: a Russian locale writes "136,01" where every
// reader of such a file expects "136.01". Qt writes its numbers without the C library; these
// keep the C library's own printing (which C libraries such as libxlsxwriter use) to the same
// rules.
namespace kovrel {

// Puts the process's LC_NUMERIC back to "C" after the toolkit has set every category to the
// person's locale. Qt's own formats for people (QLocale) do not read it.
void KeepMachineNumbers();

// The C locale's number rules for the calling thread while it lives, whatever LC_NUMERIC the
// process has: for code that prints numbers through the C library on behalf of a file format.
class MachineNumbersScope {
public:
    MachineNumbersScope();
    ~MachineNumbersScope();
    MachineNumbersScope(const MachineNumbersScope&) = delete;
    MachineNumbersScope& operator=(const MachineNumbersScope&) = delete;

private:
    locale_t m_c;
    locale_t m_previous;
};

} // namespace kovrel
