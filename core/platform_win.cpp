#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <locale.h>
#include <thread>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <ntsecapi.h>
#include <shellapi.h>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/platform.h"
#include "core/platform_common.h"

// The platform layer on Windows.
namespace bidmark::platform {

namespace fs = std::filesystem;
using namespace detail;

namespace {

// Where a whole-file rewrite writes: the target of a link.
struct WriteTarget {
    Path path;
};


std::wstring wide(const Path& path)
{
    const std::u16string text = utf16OfPath(path.bytes());
    return std::wstring(text.begin(), text.end());
}

std::string narrow(const std::wstring& text) { return pathOfUtf16(std::u16string(text.begin(), text.end())); }


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

WriteTarget writeTarget(const Path& path)
{
    std::wstring target = wide(path);
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {path};
    Path real = path;
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
        real = Path(narrow(final));
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
        HANDLE file = CreateFileW(wide(Path(tempPath)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

namespace detail {

const char kSeparators[] = "/\\";
fs::path fsPath(const Path& path) { return fs::path(wide(path)); }
std::string pathText(const fs::path& path) { return narrow(path.native()); }
void syncParentFolder(const Path&) {} // a new folder's entry is durable when made

} // namespace detail

void checkWritable(const Path& path) { writeTarget(path); }
void prepareProcess()
{
    // A drive without a disk in it is an ordinary failure, not a system dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

bool fileExists(const Path& path)
{
    Handle file(openToLook(wide(path)));
    BY_HANDLE_FILE_INFORMATION info;
    return file.valid() && GetFileType(file.get()) == FILE_TYPE_DISK
        && GetFileInformationByHandle(file.get(), &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// A file opened for reading, or why not: a missing file, another error, or
// something that is not a file on a disk.
void checkOpenedForReading(const Handle& file, const Path& path)
{
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (missing(error))
            notFound(path);
        fail("Cannot read", path, windowsReason(error));
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        notRegular(path);
}

// The rest of an opened file, piece by piece.
void readPieces(const Handle& file, const Path& path, const std::function<void(std::string_view)>& piece)
{
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
            fail("Cannot read", path, windowsReason(GetLastError()));
        if (got == 0)
            return;
        piece(std::string_view(buffer, got));
    }
}

} // namespace

std::string readFile(const Path& path)
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
    checkOpenedForReading(file, path);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        fail("Cannot read", path, windowsReason(GetLastError()));
    if (size.QuadPart > kMaxFileSize)
        tooLarge(path);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    readPieces(file, path, [&](std::string_view piece) {
        if (bytes.size() + piece.size() > static_cast<std::size_t>(kMaxFileSize))
            tooLarge(path);
        bytes.append(piece);
    });
    return bytes;
}

void writeFileAtomic(const Path& path, std::string_view bytes, Flush flush)
{
    aboutToWrite();
    const WriteTarget target = writeTarget(path);
    const auto [folder, base] = folderAndName(target.path.bytes(), path);
    std::string tempPath;
    Handle temp(createTemporary(folder, base, tempPath));
    if (!temp.valid())
        fail("Cannot write", path, windowsReason(GetLastError()));
    auto failWith = [&](DWORD error) {
        temp.close();
        DeleteFileW(wide(Path(tempPath)).c_str());
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
    if (flush == Flush::now && !FlushFileBuffers(temp.get()))
        failWith(GetLastError());
    if (!temp.close())
        failWith(GetLastError());
    const std::wstring from = wide(Path(tempPath)), to = wide(target.path);
    const DWORD through = flush == Flush::now ? MOVEFILE_WRITE_THROUGH : 0;
    if (!retriedWhileHeld([&] {
            return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | through) != 0;
        }))
        failWith(GetLastError());
}

void deleteFile(const Path& path)
{
    aboutToWrite();
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


} // namespace bidmark::platform

namespace bidmark::platform {

EntryKind entryKind(const Path& path)
{
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::none;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? EntryKind::other : EntryKind::file;
}

NewFile createNewFile(const Path& path, std::string_view bytes, bool, Flush flush)
{
    aboutToWrite();
    // A file made in the user's own folder (%APPDATA%) is the user's alone.
    Handle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
            return NewFile::taken;
        if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT)
            return NewFile::folderReadOnly;
        fail("Cannot write", path, windowsReason(error));
    }
    DWORD written = 0;
    const bool whole = bytes.empty()
        || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
            && written == bytes.size());
    if (!whole || (flush == Flush::now && !FlushFileBuffers(file.get()))) {
        const DWORD error = GetLastError();
        file.close();
        DeleteFileW(wide(path).c_str());
        fail("Cannot write", path, windowsReason(error));
    }
    return NewFile::made;
}

long long secondsSinceWritten(const Path& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data))
        return 0;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& time) {
        return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (ticks(now) - ticks(data.ftLastWriteTime)) / 10000000;
}

long long processId() { return static_cast<long long>(GetCurrentProcessId()); }

std::string programName()
{
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size())
        return "Bidmark";
    path.resize(length);
    const std::string text = narrow(path);
    return text.substr(text.find_last_of("/\\") + 1);
}

std::string machineName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &length) ? narrow(std::wstring(name, length)) : std::string();
}

bool processRunning(long long id)
{
    if (id <= 0 || id > 0xFFFFFFFFLL)
        return false;
    const HANDLE opened = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!opened)
        return GetLastError() == ERROR_ACCESS_DENIED;
    Handle process(opened);
    DWORD code = 0;
    return GetExitCodeProcess(process.get(), &code) && code == STILL_ACTIVE;
}

} // namespace bidmark::platform

namespace bidmark::platform {

bool removeOwnFolder(const Path& folder, const std::string& name)
{
    const Path path = folder / name;
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false; // a link or a file in its place: not ours to remove
    bool whole = true;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(wide(path / "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring entryName = entry.cFileName;
            if (entryName == L"." || entryName == L"..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                whole = false; // a folder, or a link to one: left alone
                continue;
            }
            // A link is removed itself, never what it names.
            aboutToWrite();
            if (!DeleteFileW((wide(path) + L"\\" + entryName).c_str())) {
                const DWORD error = GetLastError();
                FindClose(search);
                fail("Cannot remove", path / narrow(entryName), windowsReason(error));
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    if (whole)
        aboutToWrite();
    if (whole && !RemoveDirectoryW(wide(path).c_str()))
        fail("Cannot remove the folder", path, windowsReason(GetLastError()));
    return whole;
}

void readInPieces(const Path& path, const std::function<void(std::string_view)>& piece)
{
    Handle file(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    checkOpenedForReading(file, path);
    readPieces(file, path, piece);
}

void overwriteAt(const Path& path, std::uint64_t offset, std::string_view bytes)
{
    aboutToWrite();
    Handle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        fail("Cannot write", path, windowsReason(GetLastError()));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at)
        || written != bytes.size() || !FlushFileBuffers(file.get()))
        fail("Cannot write", path, windowsReason(GetLastError()));
}

std::string randomBytes(std::size_t count)
{
    std::string bytes(count, '\0');
    if (!RtlGenRandom(bytes.data(), static_cast<ULONG>(count)))
        throw Failure("The system gave no random bytes (RtlGenRandom)");
    return bytes;
}

Path userFolder()
{
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData && *appData ? Path(narrow(appData)) / "Bidmark" : Path();
}

std::vector<std::string> arguments(int, char**)
{
    // The narrow arguments are in the ANSI code page, which cannot hold every
    // name a folder may have: the wide command line holds them all.
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> texts;
    for (int i = 1; words && i < count; ++i)
        texts.push_back(narrow(words[i]));
    LocalFree(words);
    return texts;
}

} // namespace bidmark::platform
