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
            path_ = candidate.string();
            return;
        }
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // Tests may leave read-only folders behind: make them writable first.
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string TempDir::file(std::string_view name) const
{
    return (fs::path(path_) / std::string(name)).string();
}

void TempDir::write(std::string_view name, std::string_view bytes) const
{
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
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
    std::ifstream in(file(name), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read test file " + std::string(name));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::exists(std::string_view name) const
{
    return fs::exists(file(name));
}

WorkingDirectory::WorkingDirectory(const std::string& folder)
    : previous_(fs::current_path().string())
{
    fs::current_path(folder);
}

WorkingDirectory::~WorkingDirectory()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

} // namespace bidmark::test
