#pragma once

#include <sys/types.h>

#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <string>

// A LibreOffice process of our own, listening on a pipe whose name only this process knows,
// and the UNO connection to it. Unlike cppu::bootstrap(), which waits for ever for an office
// that crashed on start, Start() gives up when the office exits with an error or does not
// answer in time. A second office started while one runs for the same user hands its pipe
// over to the running one and exits; the connection then goes to the running office.
class OfficeProcess {
public:
    // `headless`: no windows, no display needed (the office runs for a file, not for the user).
    // Empty with `error` set when the office is missing or does not start.
    css::uno::Reference<css::uno::XComponentContext> Start(bool headless, std::string& error);
    // Waits a little for the process after the office was told to terminate.
    void Reap();

    // Where soffice lives: the directory UNO_PATH names, else the installed suite's.
    static std::string ProgramDir();

private:
    pid_t m_pid = 0;
    // The bridge to the office belongs to this context: it must outlive every remote reference.
    css::uno::Reference<css::uno::XComponentContext> m_local;
};
