#pragma once

// libxlsxwriter writes its archives with the system's minizip, whose functions QuaZip (which
// reads workbooks in the same program) exports under the same names with other arguments.
// Linked the usual way, one of the two would call the other's; loaded here with its own
// symbols first, each keeps its own. Every user of libxlsxwriter takes its functions from here.
//
// The address of a libxlsxwriter function, or nullptr when the library or the function is
// missing.
void* XlsxWriterSymbol(const char* name);

// A function of libxlsxwriter with its own type: KOVREL_LXW(workbook_new) declares the member
// `workbook_new` of a table of functions, nullptr when missing.
#define KOVREL_LXW(fn) decltype(&::fn) fn = reinterpret_cast<decltype(&::fn)>(XlsxWriterSymbol(#fn))
