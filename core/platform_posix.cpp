#include <cerrno>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <locale.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "core/failure.h"
#include "core/platform.h"
#include "core/platform_common.h"

// The platform layer on Linux and other POSIX systems.
namespace bidmark::platform {

namespace fs = std::filesystem;
using namespace detail;

namespace {

// Where a whole-file rewrite writes: the target of a link, and the
// permission bits the new file gets.
struct WriteTarget {
    std::string path;
    unsigned mode = 0;
};


mode_t currentUmask()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

WriteTarget writeTarget(const Path& path)
{
    std::string real = path.bytes();
    struct stat st;
    if (::lstat(path.bytes().c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* resolved = ::realpath(path.bytes().c_str(), nullptr);
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

// The rest of an opened file, piece by piece.
void readPieces(const Descriptor& file, const Path& path, const std::function<void(std::string_view)>& piece)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail("Cannot read", path, reason(errno));
        }
        if (got == 0)
            return;
        piece(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
}

} // namespace

namespace detail {

const char kSeparators[] = "/";
fs::path fsPath(const Path& path) { return fs::path(path.bytes()); }
std::string pathText(const fs::path& path) { return path.string(); }

void syncParentFolder(const Path& path)
{
    const std::size_t slash = path.bytes().find_last_of('/');
    syncFolder(slash == std::string::npos ? std::string(".") : path.bytes().substr(0, slash + 1));
}

} // namespace detail

void checkWritable(const Path& path) { writeTarget(path); }
void prepareProcess()
{
    // Past the limit a write then fails with EFBIG, and the user is told.
    std::signal(SIGXFSZ, SIG_IGN);
#if defined(__GLIBC__)
    // Blocks up to 32 MB (the most it allows) from the heap, and up to 64 MB
    // of it kept when given back, instead of the thresholds it moves by itself.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

bool fileExists(const Path& path)
{
    struct stat st;
    return ::stat(path.bytes().c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string readFile(const Path& path)
{
    // Without O_NONBLOCK a named pipe would wait for a writer forever.
    Descriptor file(::open(path.bytes().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (file.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            notFound(path);
        if (::stat(path.bytes().c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
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
    readPieces(file, path, [&](std::string_view piece) {
        if (bytes.size() + piece.size() > static_cast<std::size_t>(kMaxFileSize))
            tooLarge(path); // it grew while being read
        bytes.append(piece);
    });
    return bytes;
}

void writeFileAtomic(const Path& path, std::string_view bytes, Flush flush)
{
    aboutToWrite();
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
    if (::fchmod(fd, static_cast<mode_t>(target.mode)) != 0 || !writeAll(fd, bytes)
        || (flush == Flush::now && ::fsync(fd) != 0)) {
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
    if (flush == Flush::now)
        syncFolder(folder);
}

void deleteFile(const Path& path)
{
    aboutToWrite();
    if (::unlink(path.bytes().c_str()) != 0) {
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


} // namespace bidmark::platform

namespace bidmark::platform {

EntryKind entryKind(const Path& path)
{
    struct stat st;
    if (::lstat(path.bytes().c_str(), &st) != 0)
        return EntryKind::none;
    if (S_ISLNK(st.st_mode))
        return EntryKind::link;
    if (S_ISDIR(st.st_mode))
        return EntryKind::folder;
    return S_ISREG(st.st_mode) ? EntryKind::file : EntryKind::other;
}

NewFile createNewFile(const Path& path, std::string_view bytes, bool secret, Flush flush)
{
    aboutToWrite();
    const int fd =
        ::open(path.bytes().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, secret ? 0600 : 0644);
    if (fd < 0) {
        const int error = errno;
        if (error == EEXIST)
            return NewFile::taken;
        if (error == EACCES || error == EROFS || error == EPERM)
            return NewFile::folderReadOnly;
        fail("Cannot write", path, reason(error));
    }
    if (!writeAll(fd, bytes) || (flush == Flush::now && ::fsync(fd) != 0)) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.bytes().c_str());
        fail("Cannot write", path, reason(error));
    }
    if (!closeChecked(fd))
        fail("Cannot write", path, reason(errno));
    return NewFile::made;
}

long long secondsSinceWritten(const Path& path)
{
    struct stat st;
    if (::lstat(path.bytes().c_str(), &st) != 0)
        return 0;
    return static_cast<long long>(::time(nullptr)) - static_cast<long long>(st.st_mtime);
}

long long processId() { return ::getpid(); }

std::string programName()
{
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return "Bidmark";
    const std::string text(path, static_cast<std::size_t>(length));
    return text.substr(text.find_last_of('/') + 1);
}

std::string machineName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return std::string();
    return name;
}

bool processRunning(long long id)
{
    return id > 0 && id <= 0x7FFFFFFF && (::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
}

} // namespace bidmark::platform

namespace bidmark::platform {

bool removeOwnFolder(const Path& folder, const std::string& name)
{
    Descriptor parent(::open(folder.bytes().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const Path path = folder / name;
    if (parent.get() < 0)
        fail("Cannot remove the folder", path, reason(errno));
    const int fd = ::openat(parent.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        if (errno == ELOOP || errno == ENOTDIR)
            return false; // a link or a file in its place: not ours to remove
        fail("Cannot remove the folder", path, reason(errno));
    }
    DIR* entries = ::fdopendir(fd);
    if (!entries) {
        ::close(fd);
        fail("Cannot remove the folder", path, reason(errno));
    }
    bool whole = true;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string entryName = entry->d_name;
        if (entryName == "." || entryName == "..")
            continue;
        struct stat st;
        if (::fstatat(::dirfd(entries), entryName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode)) {
            whole = false;
            continue;
        }
        aboutToWrite();
        if (::unlinkat(::dirfd(entries), entryName.c_str(), 0) != 0) {
            const int error = errno;
            ::closedir(entries);
            fail("Cannot remove", path / entryName, reason(error));
        }
    }
    ::closedir(entries);
    if (whole)
        aboutToWrite();
    if (whole && ::unlinkat(parent.get(), name.c_str(), AT_REMOVEDIR) != 0)
        fail("Cannot remove the folder", path, reason(errno));
    return whole;
}

void readInPieces(const Path& path, const std::function<void(std::string_view)>& piece)
{
    Descriptor file(::open(path.bytes().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (file.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            notFound(path);
        fail("Cannot read", path, reason(errno));
    }
    if (::fstat(file.get(), &st) != 0)
        fail("Cannot read", path, reason(errno));
    if (!S_ISREG(st.st_mode))
        notRegular(path);
    readPieces(file, path, piece);
}

void overwriteAt(const Path& path, std::uint64_t offset, std::string_view bytes)
{
    aboutToWrite();
    Descriptor file(::open(path.bytes().c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0)
        fail("Cannot write", path, reason(errno));
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::pwrite(file.get(), bytes.data() + done, bytes.size() - done,
                                         static_cast<off_t>(offset + done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail("Cannot write", path, reason(written < 0 ? errno : ENOSPC));
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(file.get()) != 0)
        fail("Cannot write", path, reason(errno));
}

std::string randomBytes(std::size_t count)
{
    Descriptor source(::open("/dev/urandom", O_RDONLY | O_CLOEXEC));
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (source.get() >= 0 && done < count) {
        const ssize_t got = ::read(source.get(), bytes.data() + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    if (done < count)
        throw Failure("The system gave no random bytes (/dev/urandom)");
    return bytes;
}

Path userFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
        return Path(config) / "bidmark";
    const char* home = std::getenv("HOME");
    return home && *home ? Path(home) / ".config/bidmark" : Path();
}

std::vector<std::string> arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

} // namespace bidmark::platform
