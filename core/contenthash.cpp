#include "core/contenthash.h"

#include <cstring>

#include "core/linefile.h"

namespace bidmark {

namespace {

constexpr std::uint64_t rotate(std::uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

void sipRound(std::uint64_t (&v)[4])
{
    v[0] += v[1];
    v[1] = rotate(v[1], 13) ^ v[0];
    v[0] = rotate(v[0], 32);
    v[2] += v[3];
    v[3] = rotate(v[3], 16) ^ v[2];
    v[0] += v[3];
    v[3] = rotate(v[3], 21) ^ v[0];
    v[2] += v[1];
    v[1] = rotate(v[1], 17) ^ v[2];
    v[2] = rotate(v[2], 32);
}

} // namespace

ContentHash::ContentHash(const HashKey& key)
    : v_{key.k0 ^ 0x736f6d6570736575ULL, key.k1 ^ 0x646f72616e646f83ULL, key.k0 ^ 0x6c7967656e657261ULL,
         key.k1 ^ 0x7465646279746573ULL}
{
    // 0x83 and not 0x6d above: the 128-bit result's form of SipHash.
}

void ContentHash::compress(std::uint64_t word)
{
    v_[3] ^= word;
    sipRound(v_);
    sipRound(v_);
    v_[0] ^= word;
}

void ContentHash::add(std::string_view bytes)
{
    // Bytes are taken as little-endian words, whatever the machine.
    std::size_t i = 0;
    auto take = [&](unsigned char byte) {
        pending_ |= static_cast<std::uint64_t>(byte) << (8 * (size_ % 8));
        if (++size_ % 8 == 0) {
            compress(pending_);
            pending_ = 0;
        }
    };
    for (; i < bytes.size() && size_ % 8 != 0; ++i)
        take(static_cast<unsigned char>(bytes[i]));
    const std::size_t wordsFrom = i;
    for (; bytes.size() - i >= 8; i += 8) {
        // Eight bytes as one number in the machine's order: little-endian on
        // every machine Bidmark runs on.
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        compress(word);
    }
    size_ += i - wordsFrom;
    for (; i < bytes.size(); ++i)
        take(static_cast<unsigned char>(bytes[i]));
}

std::array<std::uint64_t, 2> ContentHash::result() const
{
    std::uint64_t v[4] = {v_[0], v_[1], v_[2], v_[3]};
    const std::uint64_t last = pending_ | (size_ << 56);
    v[3] ^= last;
    sipRound(v);
    sipRound(v);
    v[0] ^= last;
    v[2] ^= 0xee;
    for (int i = 0; i < 4; ++i)
        sipRound(v);
    const std::uint64_t first = v[0] ^ v[1] ^ v[2] ^ v[3];
    v[1] ^= 0xdd;
    for (int i = 0; i < 4; ++i)
        sipRound(v);
    return {first, v[0] ^ v[1] ^ v[2] ^ v[3]};
}

std::string hexDigits(std::uint64_t value, std::size_t digits)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text(digits, '0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, value >>= 4)
        *digit = kDigits[value & 15];
    return text;
}

FileState stateOf(std::string_view bytes, const HashKey& key)
{
    ContentHash hash(key);
    hash.add(bytes);
    return {bytes.size(), hash.result()};
}

std::optional<FileState> fileStateOf(const Path& path, const HashKey& key)
{
    if (!fileExists(path))
        return std::nullopt;
    ContentHash hash(key);
    std::uint64_t size = 0;
    platform::readInPieces(path, [&](std::string_view piece) {
        hash.add(piece);
        size += piece.size();
    });
    return FileState{size, hash.result()};
}

} // namespace bidmark
