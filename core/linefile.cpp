#include "core/linefile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "core/failure.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

namespace {

std::string reason(int error) { return std::strerror(error); }

[[noreturn]] void failWrite(const std::string& path, int error)
{
    throw Failure("Cannot write " + path + ": " + reason(error));
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
bool closeChecked(int fd)
{
    return ::close(fd) == 0 || errno == EINTR;
}

// Makes the folder's entries durable, as far as the system allows.
void syncFolder(const std::string& folder)
{
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

mode_t currentUmask()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

std::vector<std::string> splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string pathIn(const std::string& folder, std::string_view name)
{
    if (folder.empty() || folder == ".")
        return std::string(name);
    if (folder.back() == '/')
        return folder + std::string(name);
    return folder + "/" + std::string(name);
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string readFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            throw Failure("File not found: " + path);
        throw Failure("Cannot read " + path + ": " + reason(error));
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        throw Failure("Cannot read " + path + ": " + reason(error));
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw Failure("Cannot read " + path + ": " + reason(EISDIR));
    }
    std::string bytes;
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            throw Failure("Cannot read " + path + ": " + reason(error));
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

std::vector<std::string> readLines(const std::string& path)
{
    return splitLines(readFile(path));
}

void writeFileAtomic(const std::string& path, std::string_view bytes)
{
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty() || base == "." || base == "..")
        failWrite(path, EISDIR);
    // Very long names would make the temporary name too long: use a short one then.
    std::string tempName = base.size() > 200 ? std::string(".bidmark-XXXXXX") : "." + base + ".bidmark-XXXXXX";
    std::string tempPath = (slash == std::string::npos ? std::string() : folder) + tempName;

    std::vector<char> templ(tempPath.begin(), tempPath.end());
    templ.push_back('\0');
    int fd = ::mkostemp(templ.data(), O_CLOEXEC);
    if (fd < 0)
        failWrite(path, errno);
    tempPath = templ.data();

    auto fail = [&](int error) {
        ::unlink(tempPath.c_str());
        failWrite(path, error);
    };

    // Keep the permission bits of the file being replaced; a new file gets
    // what an ordinary create would give it.
    struct stat st;
    mode_t mode = (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ? (st.st_mode & 07777)
                                                                          : (0666 & ~currentUmask());
    if (::fchmod(fd, mode) != 0) {
        int error = errno;
        ::close(fd);
        fail(error);
    }
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        int error = errno;
        ::close(fd);
        fail(error);
    }
    if (!closeChecked(fd))
        fail(errno);
    if (::rename(tempPath.c_str(), path.c_str()) != 0)
        fail(errno);
    // Make the rename itself durable; the new file is in place already, so a
    // folder that cannot be synced is not reported.
    syncFolder(folder);
}

void writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines)
{
    writeFileAtomic(path, joinLines(lines));
}

void appendLines(const std::string& path, const std::vector<std::string>& lines)
{
    if (!fileExists(path))
        writeLinesAtomic(path, lines);
    else if (!lines.empty())
        writeFileAtomic(path, readFile(path) + joinLines(lines));
}

void deleteFile(const std::string& path)
{
    if (::unlink(path.c_str()) != 0) {
        int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            throw Failure("File not found: " + path);
        throw Failure("Cannot delete " + path + ": " + reason(error));
    }
}

std::string findFile(const std::string& folder, std::string_view pattern)
{
    const std::string dirPath = folder.empty() ? std::string(".") : folder;
    DIR* dir = ::opendir(dirPath.c_str());
    if (!dir)
        return {};
    const int dirFd = ::dirfd(dir);
    bool found = false;
    std::string best, bestLower;
    errno = 0;
    while (struct dirent* entry = ::readdir(dir)) {
        std::string_view name(entry->d_name);
        if (name == "." || name == ".." || !fileNameMatch(name, pattern))
            continue;
        struct stat st;
        if (::fstatat(dirFd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        std::string lower = lowerCase(name);
        if (!found || lower < bestLower || (lower == bestLower && name < best)) {
            best = std::string(name);
            bestLower = std::move(lower);
            found = true;
        }
    }
    ::closedir(dir);
    return best;
}

bool makeFolder(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::create_directory(path, error)) {
        if (error)
            throw Failure("Cannot make the folder " + path + ": " + error.message());
        return false;
    }
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    syncFolder(parent.empty() ? std::string(".") : parent.string());
    return true;
}

std::vector<std::string> subfolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code notFolder;
        if (entry->is_directory(notFolder))
            names.push_back(entry->path().filename().string());
    }
    return names;
}

void removeFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
    if (error)
        throw Failure("Cannot delete " + path + ": " + error.message());
}

bool linkFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(from, error);
    if (!error)
        std::filesystem::create_hard_link(target, to, error);
    return !error;
}

std::uint64_t fileSize(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        throw Failure("Cannot read " + path + ": " + error.message());
    return size;
}

bool sameFile(const std::string& path, const std::string& otherPath)
{
    std::error_code error;
    return std::filesystem::equivalent(path, otherPath, error) && !error;
}

} // namespace bidmark
