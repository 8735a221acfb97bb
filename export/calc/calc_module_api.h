/* The entry point of the Calc export module (libkovrel_calc.so). The program loads the module
 * only when the user asks for a Calc export, so that neither the program nor its package
 * needs LibreOffice; plain C types keep the two independent of each other's compiler and
 * libraries. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Raised whenever KovrelCalcJob or the entry point changes. */
#define KOVREL_CALC_ABI_VERSION 1

enum KovrelCalcResult {
    KOVREL_CALC_OK = 0,
    KOVREL_CALC_NO_OFFICE = 1, /* the office suite is missing or did not start: nothing was written */
    KOVREL_CALC_FAILED = 2     /* an office call failed part-way */
};

enum KovrelCalcMethod {
    KOVREL_CALC_BY_CELL = 0, /* one call per cell */
    KOVREL_CALC_BY_RANGE = 1 /* blocks of rows, one call per block */
};

typedef struct KovrelCalcCell {
    const char* text; /* UTF-8, already trimmed; used when is_number is 0 */
    double number;
    int is_number;
} KovrelCalcCell;

typedef struct KovrelCalcJob {
    int rows;
    int cols;
    const KovrelCalcCell* cells; /* rows * cols cells, row after row */
    const int* widths;           /* cols widths in hundredths of a millimetre */
    int method;                  /* KovrelCalcMethod */
    /* NULL: a new visible spreadsheet left open and unsaved for the user. Otherwise a headless
     * office stores the spreadsheet at this file URL (.ods) and closes it. */
    const char* store_url;
    void (*progress)(void* context, int done, int total); /* cells written so far; may be NULL */
    void* context;
} KovrelCalcJob;

typedef int (*KovrelCalcAbiVersionFn)(void);
/* Writes a UTF-8 message for the user into `message` (at most message_size bytes, NUL
 * included) unless the result is KOVREL_CALC_OK. */
typedef int (*KovrelCalcExportFn)(const KovrelCalcJob* job, char* message, int message_size);

#ifdef __cplusplus
}
#endif
