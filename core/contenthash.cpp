#include "core/contenthash.h"

#include <cstring>

#include "core/linefile.h"
#include "core/platform.h"

namespace bidmark {

namespace {

// The hash of FileState: 64 bits a step, mixed with two multiplications;
// enough to tell a changed file, and fast on lists of megabytes. Bytes may
// come in pieces of any size.
class ContentHash {
public:
    void add(std::string_view bytes)
    {
        size_ += bytes.size();
        while (!bytes.empty() && (!pending_.empty() || bytes.size() < 8)) {
            pending_ += bytes.front();
            bytes.remove_prefix(1);
            if (pending_.size() == 8) {
                mixWord(pending_.data());
                pending_.clear();
            }
        }
        for (; bytes.size() >= 8; bytes.remove_prefix(8))
            mixWord(bytes.data());
        pending_ += bytes;
    }

    FileState state() const
    {
        ContentHash last = *this;
        std::uint64_t tail = 0;
        for (auto byte = pending_.rbegin(); byte != pending_.rend(); ++byte)
            tail = (tail << 8) | static_cast<unsigned char>(*byte);
        last.mix(tail ^ 0xFF);
        last.mix(size_);
        return {size_, last.hash_ ^ (last.hash_ >> 32)};
    }

private:
    // Eight bytes as one number, in the machine's byte order (the same on
    // every machine Bidmark runs on).
    void mixWord(const char* bytes)
    {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        mix(word);
    }
    void mix(std::uint64_t word)
    {
        hash_ ^= word * 0xBF58476D1CE4E5B9ULL;
        hash_ = ((hash_ << 29) | (hash_ >> 35)) * 0x94D049BB133111EBULL;
    }

    std::uint64_t hash_ = 0x9E3779B97F4A7C15ULL;
    std::uint64_t size_ = 0;
    std::string pending_; // fewer than 8 bytes
};

} // namespace

FileState stateOf(std::string_view bytes)
{
    ContentHash hash;
    hash.add(bytes);
    return hash.state();
}

std::optional<FileState> fileStateOf(const std::string& path)
{
    if (!fileExists(path))
        return std::nullopt;
    // In pieces: a list of megabytes needs no memory of its size.
    ContentHash hash;
    platform::readFileInPieces(path, [&](std::string_view piece) { hash.add(piece); });
    return hash.state();
}

} // namespace bidmark
