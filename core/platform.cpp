#include "core/platform.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/failure.h"
#include "core/platform_common.h"

// The part of the platform layer that is the same on every system; what
// differs is in platform_posix.cpp and platform_win.cpp.
namespace bidmark::platform {

namespace fs = std::filesystem;

namespace detail {

namespace {
void (*writeWatcher)() = nullptr;
} // namespace

void aboutToWrite()
{
    if (writeWatcher)
        writeWatcher();
}

std::string reason(int error) { return std::strerror(error); }

void fail(const char* what, const Path& path, const std::string& why)
{
    throw Failure(std::string(what) + " " + path.shown() + ": " + why);
}
void notFound(const Path& path) { throw Failure("File not found: " + path.shown()); }
void notRegular(const Path& path) { throw Failure(path.shown() + " is not a regular file"); }
void tooLarge(const Path& path)
{
    throw Failure(path.shown() + " is larger than 256 MiB; no league file is that large, so it was not read");
}
void readOnly(const Path& path) { fail("Cannot write", path, "the file is read-only"); }
void danglingLink(const Path& path) { fail("Cannot write", path, "it is a link to a file that does not exist"); }

std::string temporaryName(const std::string& base, const char* suffix)
{
    return base.size() > 200 ? std::string(".bidmark-") + suffix : "." + base + ".bidmark-" + suffix;
}

std::pair<std::string, std::string> folderAndName(const std::string& target, const Path& path)
{
    const std::size_t slash = target.find_last_of(kSeparators);
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = target.substr(folder.size());
    if (name.empty() || name == "." || name == "..")
        fail("Cannot write", path, reason(EISDIR));
    return {folder, name};
}

} // namespace detail

using namespace detail;

void watchWrites(void (*watcher)()) { writeWatcher = watcher; }

bool exists(const Path& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(fsPath(path), error));
}

std::vector<std::string> listFolder(const Path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(fsPath(folder.empty() ? Path(".") : folder), error), end;
         !error && entry != end; entry.increment(error))
        names.push_back(pathText(entry->path().filename()));
    return names;
}

Path absolutePath(const Path& path)
{
    std::error_code error;
    return Path(pathText(fs::absolute(fsPath(path), error).lexically_normal()));
}

Path realPath(const Path& path)
{
    std::error_code error;
    const fs::path real = fs::weakly_canonical(fs::absolute(fsPath(path), error), error);
    return error ? absolutePath(path) : Path(pathText(real.lexically_normal()));
}

void makeFolder(const Path& path)
{
    aboutToWrite();
    std::error_code error;
    fs::create_directories(fsPath(path), error);
    if (error)
        fail("Cannot make the folder", path, error.message());
}

bool makeNewFolder(const Path& path)
{
    aboutToWrite();
    std::error_code error;
    if (!fs::create_directory(fsPath(path), error)) {
        if (error)
            fail("Cannot make the folder", path, error.message());
        return false;
    }
    syncParentFolder(path);
    return true;
}

bool isLink(const Path& path)
{
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(fsPath(path), error));
}

std::uint64_t fileSize(const Path& path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(fsPath(path), error);
    if (error)
        fail("Cannot read", path, error.message());
    return size;
}

bool sameFile(const Path& path, const Path& other)
{
    std::error_code error;
    return fs::equivalent(fsPath(path), fsPath(other), error) && !error;
}

void moveFile(const Path& from, const Path& to)
{
    aboutToWrite();
    std::error_code error;
    fs::rename(fsPath(from), fsPath(to), error);
    if (error)
        fail("Cannot move", from, error.message());
}

void linkOrCopyFile(const Path& from, const Path& to)
{
    aboutToWrite();
    std::error_code error;
    const bool symbolic = fs::is_symlink(fs::symlink_status(fsPath(from), error));
    // A hard link to a symbolic link would keep the link, not the bytes.
    if (!symbolic)
        fs::create_hard_link(fsPath(from), fsPath(to), error);
    if (symbolic || error)
        writeFileAtomic(to, readFile(from));
}

} // namespace bidmark::platform
