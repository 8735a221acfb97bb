#include "office_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cstdlib>
#include <random>
#include <rtl/bootstrap.hxx>
#include <thread>
#include <vector>

extern char** environ;

using namespace css;
using rtl::OUString;

namespace {

// A first start creates the user's office profile, which takes a while on a slow machine.
constexpr auto kStartLimit = std::chrono::seconds(120);
constexpr auto kPollInterval = std::chrono::milliseconds(250);

std::string pipeName() {
    std::random_device random;
    return "kovrel_calc_" + std::to_string(getpid()) + "_" + std::to_string(random());
}

} // namespace

std::string OfficeProcess::ProgramDir() {
    const char* unoPath = std::getenv("UNO_PATH");
    return unoPath && *unoPath ? unoPath : KOVREL_LIBREOFFICE_PROGRAM_DIR;
}

uno::Reference<uno::XComponentContext> OfficeProcess::Start(bool headless, std::string& error) {
    const std::string soffice = ProgramDir() + "/soffice";
    if (access(soffice.c_str(), X_OK) != 0) {
        error = "не найдена программа " + soffice;
        return {};
    }
    const std::string pipe = pipeName();
    std::vector<std::string> args = {soffice, "--nologo", "--nodefault", "--norestore", "--nolockcheck"};
    if (headless) args.push_back("--headless");
    args.push_back("--accept=pipe,name=" + pipe + ";urp;StarOffice.ComponentContext");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // In a session of its own the office stays when the program that started it ends.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    const int spawned = posix_spawn(&m_pid, soffice.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (spawned != 0) {
        m_pid = 0;
        error = "не удалось запустить " + soffice;
        return {};
    }

    // The office's own bootstrap file brings in its types (frames, sheets, …) besides the
    // runtime's; without them the bridge cannot describe the office's objects.
    rtl::Bootstrap::set("URE_BOOTSTRAP", "vnd.sun.star.pathname:" +
                                             OUString::fromUtf8((ProgramDir() + "/fundamentalrc").c_str()));
    m_local = cppu::defaultBootstrap_InitialComponentContext();
    const uno::Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(m_local);
    const OUString url =
        "uno:pipe,name=" + OUString::fromUtf8(pipe.c_str()) + ";urp;StarOffice.ComponentContext";
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    for (;;) {
        try {
            return uno::Reference<uno::XComponentContext>(resolver->resolve(url), uno::UNO_QUERY_THROW);
        } catch (const connection::NoConnectException&) {
        }
        int status = 0;
        if (m_pid && waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = 0;
            // Exit code 0: the pipe went to an office already running for this user.
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                error = "офисный пакет завершился при запуске";
                return {};
            }
        }
        if (std::chrono::steady_clock::now() > deadline) {
            error = "офисный пакет не ответил за " + std::to_string(kStartLimit.count()) + " с";
            return {};
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void OfficeProcess::Reap() {
    for (int i = 0; m_pid && i < 40; ++i) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid)
            m_pid = 0;
        else
            std::this_thread::sleep_for(kPollInterval);
    }
}
