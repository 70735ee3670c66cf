#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"

namespace bidmark::test {

// A path as std::filesystem takes it.
inline std::filesystem::path fsPath(const Path& path) { return std::filesystem::u8path(path.bytes()); }
inline Path pathOf(const std::filesystem::path& path) { return Path(path.u8string()); }

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const Path& path() const { return path_; }
    Path file(std::string_view name) const;                 // full path of a file in it
    void write(std::string_view name, std::string_view bytes) const;
    void writeLines(std::string_view name, const std::vector<std::string>& lines) const; // CR LF each
    std::string read(std::string_view name) const;          // whole file; throws when missing
    bool exists(std::string_view name) const;

private:
    Path path_;
};

// Makes the working directory a folder for the object's lifetime.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const Path& folder);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::string previous_;
};

} // namespace bidmark::test
