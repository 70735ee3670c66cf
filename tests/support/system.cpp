#include "tests/support/system.h"

#include <cstdlib>
#include <filesystem>

#include <stdexcept>
#include <thread>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace bidmark::test {

std::string posixOnly(std::string_view what)
{
    return std::string(what) + " exist only on POSIX systems";
}

#ifdef _WIN32

bool hasPosix() { return false; }
bool runningAsRoot() { return false; }
void setEnvironment(const std::string& name, const std::string& value) { _putenv_s(name.c_str(), value.c_str()); }
FileSizeLimit::FileSizeLimit(unsigned long long) {}
FileSizeLimit::~FileSizeLimit() = default;

namespace {
[[noreturn]] void unsupported(const char* what) { throw std::logic_error(posixOnly(what)); }
} // namespace

void makeNamedPipe(const Path&) { unsupported("named pipes"); }
void killThisProcess() { unsupported("kill"); }
bool endedByKill(const ChildEnd&) { return false; }
ChildEnd runInChild(const std::function<int()>&, std::chrono::steady_clock::duration)
{
    unsupported("fork and kill");
}

#else

namespace {
void check(bool done, const std::string& what)
{
    if (!done)
        throw std::runtime_error(what + " failed");
}
} // namespace

bool hasPosix() { return true; }
bool runningAsRoot() { return ::geteuid() == 0; }
void killThisProcess()
{
    std::raise(SIGKILL);
    std::abort();
}
bool endedByKill(const ChildEnd& end) { return end.signal == SIGKILL; }
void setEnvironment(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }

FileSizeLimit::FileSizeLimit(unsigned long long bytes)
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    saved_ = limit.rlim_cur;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = saved_;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

void makeNamedPipe(const Path& path) { check(::mkfifo(path.bytes().c_str(), 0644) == 0, "mkfifo " + path.bytes()); }

ChildEnd runInChild(const std::function<int()>& work, std::chrono::steady_clock::duration killAfter)
{
    const pid_t child = ::fork();
    check(child >= 0, "fork");
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL); // as in a program that has not started yet
        ::_exit(work());
    }
    const auto deadline = std::chrono::steady_clock::now() + killAfter;
    ChildEnd end;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            end.killed = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    if (WIFEXITED(status))
        end.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status) && !end.killed)
        end.signal = WTERMSIG(status);
    return end;
}

#endif

bool makeLink(const Path& target, const Path& link)
{
    std::error_code error;
    std::filesystem::create_symlink(std::filesystem::u8path(target.bytes()), std::filesystem::u8path(link.bytes()),
                                    error);
    return !error;
}

} // namespace bidmark::test
