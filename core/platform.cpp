#include "core/platform.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <locale.h>
#include <system_error>
#include <thread>
#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

#include "core/failure.h"
#include "core/filenames.h"

namespace bidmark::platform {

namespace fs = std::filesystem;

namespace {

std::string reason(int error) { return std::strerror(error); }

[[noreturn]] void fail(const char* what, const std::string& path, const std::string& why)
{
    throw Failure(std::string(what) + " " + shownPath(path) + ": " + why);
}
[[noreturn]] void notFound(const std::string& path) { throw Failure("File not found: " + shownPath(path)); }
[[noreturn]] void notRegular(const std::string& path)
{
    throw Failure(shownPath(path) + " is not a regular file");
}
[[noreturn]] void tooLarge(const std::string& path)
{
    throw Failure(shownPath(path) + " is larger than 256 MiB; no league file is that large, so it was not read");
}
[[noreturn]] void readOnly(const std::string& path) { fail("Cannot write", path, "the file is read-only"); }
[[noreturn]] void danglingLink(const std::string& path)
{
    fail("Cannot write", path, "it is a link to a file that does not exist");
}

// Where a whole-file rewrite writes: the target of a link, and the
// permission bits the new file gets.
struct WriteTarget {
    std::string path;
    unsigned mode = 0;
};

// The temporary file's name beside the target; very long names would make it
// too long, so those get a short one.
std::string temporaryName(const std::string& base, const char* suffix)
{
    return base.size() > 200 ? std::string(".bidmark-") + suffix : "." + base + ".bidmark-" + suffix;
}

#ifdef _WIN32

constexpr const char kSeparators[] = "/\\";

std::wstring wide(const std::string& path)
{
    const std::u16string text = utf16OfPath(path);
    return std::wstring(text.begin(), text.end());
}

std::string narrow(const std::wstring& text) { return pathOfUtf16(std::u16string(text.begin(), text.end())); }

fs::path fsPath(const std::string& path) { return fs::path(wide(path)); }
std::string pathText(const fs::path& path) { return narrow(path.native()); }

// A Windows error as the same words a Linux build gives where there is one.
std::string windowsReason(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return reason(ENOENT);
    case ERROR_ACCESS_DENIED:
        return reason(EACCES);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "the file is in use by another program";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return reason(ENOSPC);
    case ERROR_WRITE_PROTECT:
        return reason(EROFS);
    case ERROR_FILENAME_EXCED_RANGE:
        return reason(ENAMETOOLONG);
    default:
        break;
    }
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string words = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
    LocalFree(text);
    while (!words.empty() && (words.back() == '\r' || words.back() == '\n' || words.back() == '.'))
        words.pop_back();
    return words;
}

bool missing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (valid())
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close()
    {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// The file or folder a path names, links followed, opened for nothing but
// looking at it.
HANDLE openToLook(const std::wstring& path)
{
    return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

WriteTarget writeTarget(const std::string& path)
{
    std::wstring target = wide(path);
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {path};
    std::string real = path;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        Handle linked(openToLook(target));
        if (!linked.valid()) {
            const DWORD error = GetLastError();
            if (missing(error))
                danglingLink(path);
            fail("Cannot write", path, windowsReason(error));
        }
        std::wstring final(32768, L'\0');
        const DWORD length = GetFinalPathNameByHandleW(linked.get(), final.data(), static_cast<DWORD>(final.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0 || length >= final.size())
            fail("Cannot write", path, windowsReason(GetLastError()));
        final.resize(length);
        target = final;
        real = narrow(final);
        attributes = GetFileAttributesW(target.c_str());
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        fail("Cannot write", path, reason(EISDIR));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        readOnly(path);
    return {real};
}

// Another program (a virus scanner, an indexer, a backup tool) may hold the
// file for a moment: such failures are tried again for about two seconds.
template <class Attempt>
bool retriedWhileHeld(Attempt attempt)
{
    for (int tries = 0;; ++tries) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION
            || error == ERROR_LOCK_VIOLATION;
        if (!held || tries == 40)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SetLastError(error);
    }
}

// A new temporary file beside the target, opened for writing.
HANDLE createTemporary(const std::string& folder, const std::string& base, std::string& tempPath)
{
    static unsigned counter = 0;
    const char* letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long seed = GetTickCount64() * 2654435761ULL + GetCurrentProcessId() * 40503ULL + ++counter;
        char suffix[7] = {};
        for (int i = 0; i < 6; ++i) {
            suffix[i] = letters[seed % 36];
            seed /= 36;
        }
        tempPath = folder + temporaryName(base, suffix);
        HANDLE file = CreateFileW(wide(tempPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

#else

constexpr const char kSeparators[] = "/";

fs::path fsPath(const std::string& path) { return fs::path(path); }
std::string pathText(const fs::path& path) { return path.string(); }

mode_t currentUmask()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

WriteTarget writeTarget(const std::string& path)
{
    std::string real = path;
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved) {
            const int error = errno;
            if (error == ENOENT)
                danglingLink(path);
            fail("Cannot write", path, reason(error));
        }
        real = resolved;
        std::free(resolved);
    }
    // A new file gets what an ordinary create would give it.
    if (::stat(real.c_str(), &st) != 0)
        return {real, 0666 & ~currentUmask()};
    if (S_ISDIR(st.st_mode))
        fail("Cannot write", path, reason(EISDIR));
    if (!S_ISREG(st.st_mode))
        notRegular(path);
    if ((st.st_mode & 0222) == 0)
        readOnly(path);
    return {real, static_cast<unsigned>(st.st_mode & 07777)};
}

// Writes every byte; false (errno set) on failure.
bool writeAll(int fd, std::string_view bytes)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// close() that reports EINTR as success (the descriptor is gone on Linux).
bool closeChecked(int fd) { return ::close(fd) == 0 || errno == EINTR; }

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Makes the folder's entries durable; a folder that cannot be synced is not
// reported.
void syncFolder(const std::string& folder)
{
    Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

#endif

// The folder of the file a rewrite replaces, with its last separator ("" for
// a bare name), and the file's name.
std::pair<std::string, std::string> folderAndName(const std::string& target, const std::string& path)
{
    const std::size_t slash = target.find_last_of(kSeparators);
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = target.substr(folder.size());
    if (name.empty() || name == "." || name == "..")
        fail("Cannot write", path, reason(EISDIR));
    return {folder, name};
}

} // namespace

void checkWritable(const std::string& path) { writeTarget(path); }

#ifdef _WIN32

void prepareProcess()
{
    // A drive without a disk in it is an ordinary failure, not a system dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

bool fileExists(const std::string& path)
{
    Handle file(openToLook(wide(path)));
    BY_HANDLE_FILE_INFORMATION info;
    return file.valid() && GetFileType(file.get()) == FILE_TYPE_DISK
        && GetFileInformationByHandle(file.get(), &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string readFile(const std::string& path)
{
    const std::wstring name = wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        fail("Cannot read", path, reason(EISDIR));
    HANDLE opened = INVALID_HANDLE_VALUE;
    retriedWhileHeld([&] {
        opened = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return opened != INVALID_HANDLE_VALUE;
    });
    Handle file(opened);
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (missing(error))
            notFound(path);
        fail("Cannot read", path, windowsReason(error));
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        notRegular(path);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        fail("Cannot read", path, windowsReason(GetLastError()));
    if (size.QuadPart > kMaxFileSize)
        tooLarge(path);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
            fail("Cannot read", path, windowsReason(GetLastError()));
        if (got == 0)
            break;
        if (bytes.size() + got > static_cast<std::size_t>(kMaxFileSize))
            tooLarge(path);
        bytes.append(buffer, got);
    }
    return bytes;
}

void writeFileAtomic(const std::string& path, std::string_view bytes)
{
    const WriteTarget target = writeTarget(path);
    const auto [folder, base] = folderAndName(target.path, path);
    std::string tempPath;
    Handle temp(createTemporary(folder, base, tempPath));
    if (!temp.valid())
        fail("Cannot write", path, windowsReason(GetLastError()));
    auto failWith = [&](DWORD error) {
        temp.close();
        DeleteFileW(wide(tempPath).c_str());
        fail("Cannot write", path, windowsReason(error));
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(temp.get(), bytes.data() + done, chunk, &written, nullptr))
            failWith(GetLastError());
        if (written == 0)
            failWith(ERROR_DISK_FULL);
        done += written;
    }
    if (!FlushFileBuffers(temp.get()))
        failWith(GetLastError());
    if (!temp.close())
        failWith(GetLastError());
    const std::wstring from = wide(tempPath), to = wide(target.path);
    if (!retriedWhileHeld([&] {
            return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        }))
        failWith(GetLastError());
}

void deleteFile(const std::string& path)
{
    const std::wstring name = wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        fail("Cannot delete", path, reason(EISDIR));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        fail("Cannot delete", path, "the file is read-only");
    if (!retriedWhileHeld([&] { return DeleteFileW(name.c_str()) != 0; })) {
        const DWORD error = GetLastError();
        if (missing(error))
            notFound(path);
        fail("Cannot delete", path, windowsReason(error));
    }
}

double strtodInCLocale(const std::string& text)
{
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    return cLocale ? _strtod_l(text.c_str(), nullptr, cLocale) : std::strtod(text.c_str(), nullptr);
}

#else

void prepareProcess()
{
    // Past the limit a write then fails with EFBIG, and the user is told.
    std::signal(SIGXFSZ, SIG_IGN);
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string readFile(const std::string& path)
{
    // Without O_NONBLOCK a named pipe would wait for a writer forever.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (file.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            notFound(path);
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            notRegular(path); // a socket cannot be opened at all
        fail("Cannot read", path, reason(error));
    }
    if (::fstat(file.get(), &st) != 0)
        fail("Cannot read", path, reason(errno));
    if (S_ISDIR(st.st_mode))
        fail("Cannot read", path, reason(EISDIR));
    if (!S_ISREG(st.st_mode))
        notRegular(path);
    if (st.st_size > kMaxFileSize)
        tooLarge(path);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail("Cannot read", path, reason(errno));
        }
        if (got == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(got) > static_cast<std::size_t>(kMaxFileSize))
            tooLarge(path); // it grew while being read
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

void writeFileAtomic(const std::string& path, std::string_view bytes)
{
    const WriteTarget target = writeTarget(path);
    const auto [folder, base] = folderAndName(target.path, path);
    std::string tempPath = folder + temporaryName(base, "XXXXXX");
    int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
    if (fd < 0)
        fail("Cannot write", path, reason(errno));

    auto failWith = [&](int error) {
        ::unlink(tempPath.c_str());
        fail("Cannot write", path, reason(error));
    };
    if (::fchmod(fd, static_cast<mode_t>(target.mode)) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        failWith(error);
    }
    if (!closeChecked(fd))
        failWith(errno);
    if (::rename(tempPath.c_str(), target.path.c_str()) != 0)
        failWith(errno);
    // Make the rename itself durable; the new file is in place already, so a
    // folder that cannot be synced is not reported.
    syncFolder(folder);
}

void deleteFile(const std::string& path)
{
    if (::unlink(path.c_str()) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            notFound(path);
        fail("Cannot delete", path, reason(error));
    }
}

double strtodInCLocale(const std::string& text)
{
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return cLocale ? ::strtod_l(text.c_str(), nullptr, cLocale) : std::strtod(text.c_str(), nullptr);
}

#endif

bool exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(fsPath(path), error));
}

std::vector<std::string> listFolder(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(fsPath(folder.empty() ? std::string(".") : folder), error), end;
         !error && entry != end; entry.increment(error))
        names.push_back(pathText(entry->path().filename()));
    return names;
}

std::string absolutePath(const std::string& path)
{
    std::error_code error;
    return pathText(fs::absolute(fsPath(path), error).lexically_normal());
}

std::string realPath(const std::string& path)
{
    std::error_code error;
    const fs::path real = fs::weakly_canonical(fs::absolute(fsPath(path), error), error);
    return error ? absolutePath(path) : pathText(real.lexically_normal());
}

void makeFolder(const std::string& path)
{
    std::error_code error;
    fs::create_directories(fsPath(path), error);
    if (error)
        fail("Cannot make the folder", path, error.message());
}

void removeFolder(const std::string& path)
{
    std::error_code error;
    fs::remove_all(fsPath(path), error);
    if (error)
        fail("Cannot remove the folder", path, error.message());
}

bool makeNewFolder(const std::string& path)
{
    std::error_code error;
    if (!fs::create_directory(fsPath(path), error)) {
        if (error)
            fail("Cannot make the folder", path, error.message());
        return false;
    }
#ifndef _WIN32
    const std::size_t slash = path.find_last_of('/');
    syncFolder(slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1));
#endif
    return true;
}

std::vector<std::string> listSubfolders(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(fsPath(folder), error), end; !error && entry != end; entry.increment(error)) {
        std::error_code notFolder;
        if (entry->is_directory(notFolder))
            names.push_back(pathText(entry->path().filename()));
    }
    return names;
}

bool isLink(const std::string& path)
{
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(fsPath(path), error));
}

std::uint64_t fileSize(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(fsPath(path), error);
    if (error)
        fail("Cannot read", path, error.message());
    return size;
}

bool sameFile(const std::string& path, const std::string& other)
{
    std::error_code error;
    return fs::equivalent(fsPath(path), fsPath(other), error) && !error;
}

void moveFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::rename(fsPath(from), fsPath(to), error);
    if (error)
        fail("Cannot move", from, error.message());
}

void linkOrCopyFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    const bool symbolic = fs::is_symlink(fs::symlink_status(fsPath(from), error));
    // A hard link to a symbolic link would keep the link, not the bytes.
    if (!symbolic)
        fs::create_hard_link(fsPath(from), fsPath(to), error);
    if (symbolic || error)
        writeFileAtomic(to, readFile(from));
}

} // namespace bidmark::platform
