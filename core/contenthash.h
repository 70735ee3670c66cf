#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A file's bytes in short, for the run journal to tell whether a file is as
// a run found or left it.
namespace bidmark {

// Their number and a hash of them.
struct FileState {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileState& other) const { return size == other.size && hash == other.hash; }
    bool operator!=(const FileState& other) const { return !(*this == other); }
};
FileState stateOf(std::string_view bytes);
std::optional<FileState> fileStateOf(const std::string& path); // none: no file there

} // namespace bidmark
