#include "tests/support/tempdir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace bidmark::test {

TempDir::TempDir()
{
    std::random_device random;
    for (;;) {
        fs::path candidate = fs::temp_directory_path()
            / ("bidmark-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = Path(candidate.u8string());
            return;
        }
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // Tests may leave read-only folders behind: make them writable first.
    for (auto it = fs::recursive_directory_iterator(fs::u8path(path_.bytes()), ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::permissions(fs::u8path(path_.bytes()), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(fs::u8path(path_.bytes()), ignored);
}

namespace {
// Names are UTF-8, as the program's paths are, on every system.
fs::path entryOf(const Path& folder, std::string_view name)
{
    return fs::u8path(folder.bytes()) / fs::u8path(std::string(name));
}
} // namespace

Path TempDir::file(std::string_view name) const { return path_ / name; }

void TempDir::write(std::string_view name, std::string_view bytes) const
{
    std::ofstream out(entryOf(path_, name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write test file " + std::string(name));
}

void TempDir::writeLines(std::string_view name, const std::vector<std::string>& lines) const
{
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    write(name, bytes);
}

std::string TempDir::read(std::string_view name) const
{
    std::ifstream in(entryOf(path_, name), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read test file " + std::string(name));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::exists(std::string_view name) const
{
    return fs::exists(entryOf(path_, name));
}

WorkingDirectory::WorkingDirectory(const Path& folder)
    : previous_(fs::current_path().string())
{
    fs::current_path(fs::u8path(folder.bytes()));
}

WorkingDirectory::~WorkingDirectory()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

} // namespace bidmark::test
