// The Calc export module's entry points: the grid of a KovrelCalcJob written into a new
// spreadsheet through TOpenOfficeCalc. No exception leaves the module.
#include "calc_module_api.h"
#include "open_office_calc.h"

#include <algorithm>
#include <cstring>
#include <exception>

using namespace css;
using rtl::OUString;

namespace {

// Rows per range call: large enough that calls cost little, small enough that the progress moves.
constexpr int kRowsPerBlock = 500;
constexpr int kCellsPerProgress = 1000;

class Job {
public:
    explicit Job(const KovrelCalcJob& job)
        : m_job(job) {}

    void Write(TOpenOfficeCalc& calc) {
        for (int c = 0; c < m_job.cols; ++c)
            calc.ColumnWidth(c + 1, m_job.widths[c]);
        if (m_job.method == KOVREL_CALC_BY_RANGE)
            writeByRange(calc);
        else
            writeByCell(calc);
        progress(total());
    }

private:
    const KovrelCalcCell& cell(int row, int col) const { return m_job.cells[row * m_job.cols + col]; }
    int total() const { return m_job.rows * m_job.cols; }
    void progress(int done) const {
        if (m_job.progress) m_job.progress(m_job.context, done, total());
    }

    void writeByCell(TOpenOfficeCalc& calc) const {
        int done = 0;
        for (int c = 0; c < m_job.cols; ++c) {
            for (int r = 0; r < m_job.rows; ++r) {
                const KovrelCalcCell& x = cell(r, c);
                if (x.is_number)
                    calc.SetCellValue(r + 1, c + 1, x.number);
                else if (*x.text)
                    calc.SetCellText(r + 1, c + 1, OUString::fromUtf8(x.text));
                if (++done % kCellsPerProgress == 0) progress(done);
            }
        }
    }

    void writeByRange(TOpenOfficeCalc& calc) const {
        for (int first = 0; first < m_job.rows; first += kRowsPerBlock) {
            const int count = std::min(kRowsPerBlock, m_job.rows - first);
            uno::Sequence<uno::Sequence<uno::Any>> block(count);
            auto* rows = block.getArray();
            for (int r = 0; r < count; ++r) {
                rows[r].realloc(m_job.cols);
                auto* values = rows[r].getArray();
                for (int c = 0; c < m_job.cols; ++c) {
                    const KovrelCalcCell& x = cell(first + r, c);
                    values[c] = x.is_number ? uno::Any(x.number) : uno::Any(OUString::fromUtf8(x.text));
                }
            }
            calc.SetRows(first + 1, block);
            progress((first + count) * m_job.cols);
        }
    }

    const KovrelCalcJob& m_job;
};

int fail(int result, const std::string& text, char* message, int size) {
    if (message && size > 0) {
        const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
        std::memcpy(message, text.data(), n);
        message[n] = '\0';
    }
    return result;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int kovrel_calc_abi_version() {
    return KOVREL_CALC_ABI_VERSION;
}

extern "C" __attribute__((visibility("default"))) int kovrel_calc_export(const KovrelCalcJob* job,
                                                                         char* message, int size) {
    const bool toFile = job->store_url != nullptr;
    TOpenOfficeCalc calc;
    try {
        if (!calc.Connect(toFile)) return fail(KOVREL_CALC_NO_OFFICE, calc.Error(), message, size);
    } catch (const uno::Exception& e) {
        return fail(KOVREL_CALC_NO_OFFICE, e.Message.toUtf8().getStr(), message, size);
    }
    try {
        if (!calc.CreateDocument(toFile))
            return fail(KOVREL_CALC_FAILED, "Calc не создал новый документ", message, size);
        Job(*job).Write(calc);
        if (toFile) {
            calc.StoreToURL(OUString::fromUtf8(job->store_url));
            calc.CloseDocument();
        }
        calc.Disconnect();
        return KOVREL_CALC_OK;
    } catch (const uno::Exception& e) {
        return fail(KOVREL_CALC_FAILED, e.Message.toUtf8().getStr(), message, size);
    } catch (const std::exception& e) {
        return fail(KOVREL_CALC_FAILED, e.what(), message, size);
    }
}
