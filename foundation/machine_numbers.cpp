#include "machine_numbers.h"

#include <locale.h>

namespace kovrel {

void KeepMachineNumbers() {
    std::setlocale(LC_NUMERIC, "C");
}

// The thread's locale is the process's with numbers as in "C"; the rest (text encoding) stays.
MachineNumbersScope::MachineNumbersScope()
    : m_c(nullptr)
    , m_previous(nullptr) {
    const locale_t base = duplocale(LC_GLOBAL_LOCALE);
    if (!base) return;
    m_c = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!m_c) {
        freelocale(base);
        return;
    }
    m_previous = uselocale(m_c);
}

MachineNumbersScope::~MachineNumbersScope() {
    if (!m_c) return;
    uselocale(m_previous);
    freelocale(m_c);
}

} // namespace kovrel
