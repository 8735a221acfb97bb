#include "xlsx_writer_library.h"

#include <dlfcn.h>

void* XlsxWriterSymbol(const char* name) {
    static void* const library = dlopen("libxlsxwriter.so.4", RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    return library ? dlsym(library, name) : nullptr;
}
