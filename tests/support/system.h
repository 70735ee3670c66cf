#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "core/path.h"

// What the tests ask of the operating system beyond the program's own calls
// and std::filesystem: file-size limits, named pipes and child processes.
// They are POSIX; on Windows a test that needs one is skipped, saying why.
namespace bidmark::test {

bool hasPosix();
// Why a test of `what` ("file-size limits") is skipped on this system.
std::string posixOnly(std::string_view what);

bool runningAsRoot();

// Sets a variable of the process's environment.
void setEnvironment(const std::string& name, const std::string& value);

// Files may not grow past `bytes` while the object lives: a longer write
// fails half-way. Whether that is a failure with a message or the end of the
// process (SIGXFSZ) is up to the program's start-up, which the test runs.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long saved_ = 0;
};

void makeNamedPipe(const Path& path);
// A symbolic link at `link` to `target`, or false where the system makes none
// for this process.
bool makeLink(const Path& target, const Path& link);

// How a child process running `work` ended, started with the signal
// dispositions of a freshly started program: its exit code, the signal that
// ended it, or killed by the test after `killAfter`.
struct ChildEnd {
    int exitCode = -1;
    int signal = 0;
    bool killed = false;
};
ChildEnd runInChild(const std::function<int()>& work, std::chrono::steady_clock::duration killAfter);
// Ends this process at once, as a kill from outside does (SIGKILL).
[[noreturn]] void killThisProcess();
bool endedByKill(const ChildEnd& end);

} // namespace bidmark::test
