#pragma once
#include <string>
#include <string_view>

// A file-system path, apart from league text. It holds the bytes the system
// names files with: UTF-8 on every system, with "/" between folders (the
// platform layer turns it into UTF-16 on Windows); a byte that starts no
// UTF-8 character stands for its Windows-1252 character, so a name of raw
// Windows-1252 bytes is a path too (see core/filenames.h). A name made from
// league text becomes a path only through pathIn (core/linefile.h).
namespace bidmark {

class Path {
public:
    Path() = default;
    explicit Path(std::string bytes) : bytes_(std::move(bytes)) {}

    const std::string& bytes() const { return bytes_; }
    bool empty() const { return bytes_.empty(); }
    // The last name of the path, after its last "/" (or "\\", as Windows
    // separates folders too): "history/2026-12-07 run" gives "2026-12-07 run".
    std::string name() const;
    // The path as a message names it (messages are league text).
    std::string shown() const;

    // A name below this folder, the name as the file system spells it
    // ("." or an empty folder is the working directory).
    Path operator/(std::string_view name) const;

    friend bool operator==(const Path& a, const Path& b) { return a.bytes_ == b.bytes_; }
    friend bool operator!=(const Path& a, const Path& b) { return a.bytes_ != b.bytes_; }
    friend bool operator<(const Path& a, const Path& b) { return a.bytes_ < b.bytes_; }

private:
    std::string bytes_;
};

} // namespace bidmark
