#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/path.h"

// A keyed hash of bytes (SipHash-2-4 with its 128-bit result): without the
// key nobody can make bytes that give a hash of their choice, nor tell what
// hash bytes give. The run journal marks what it writes with it, so that an
// entry planted or changed in history/ is told from its own.
namespace bidmark {

// 128 secret bits.
struct HashKey {
    std::uint64_t k0 = 0, k1 = 0;
};

// Bytes, in pieces of any size.
class ContentHash {
public:
    explicit ContentHash(const HashKey& key);
    void add(std::string_view bytes);
    std::array<std::uint64_t, 2> result() const;

private:
    void compress(std::uint64_t word);
    std::uint64_t v_[4];
    std::uint64_t size_ = 0;
    std::uint64_t pending_ = 0; // fewer than 8 bytes, the first in the lowest byte
};

// The value's lowest `digits` hexadecimal digits, the highest first.
std::string hexDigits(std::uint64_t value, std::size_t digits = 16);

// A file's bytes in short: their number and their keyed hash.
struct FileState {
    std::uint64_t size = 0;
    std::array<std::uint64_t, 2> hash{};
    bool operator==(const FileState& other) const { return size == other.size && hash == other.hash; }
    bool operator!=(const FileState& other) const { return !(*this == other); }
};
FileState stateOf(std::string_view bytes, const HashKey& key);
// Read in pieces (memory of one piece, whatever the file's size); none when
// no regular file is there.
std::optional<FileState> fileStateOf(const Path& path, const HashKey& key);

} // namespace bidmark
