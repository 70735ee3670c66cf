#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

// A table keyed by a few numbers, for the market value run's look-ups (a
// bracket by group, overall and age; the text of a salary): a league repeats
// them thousands of times. Its entries lie in one array, so a look-up is a
// hash and a probe or two, with no node to allocate or chase. Keys that
// compare equal find the same entry, 0 and -0 among them.
namespace bidmark {

template <std::size_t N, class Value>
class NumberTable {
public:
    using Key = std::array<double, N>;

    // The value of the key, or nullptr; good until the next add.
    Value* find(const Key& key)
    {
        if (slots_.empty())
            return nullptr;
        for (std::size_t at = home(key);; at = (at + 1) & mask()) {
            Slot& slot = slots_[at];
            if (!slot.used)
                return nullptr;
            if (slot.key == key)
                return &slot.value;
        }
    }

    // Adds a key that find() does not find; its value, good until the next add.
    Value& add(const Key& key, Value value)
    {
        if (2 * (used_ + 1) > slots_.size())
            grow();
        ++used_;
        return place(key, std::move(value));
    }

private:
    struct Slot {
        Key key{};
        Value value{};
        bool used = false;
    };

    std::size_t mask() const { return slots_.size() - 1; }

    // The high bits of a last multiplication depend on every bit of every
    // number, also for whole numbers, whose low bits are all zero.
    std::size_t home(const Key& key) const
    {
        std::uint64_t hash = 0;
        for (const double number : key) {
            const double same = number == 0 ? 0.0 : number;
            std::uint64_t bits = 0;
            std::memcpy(&bits, &same, sizeof bits);
            hash = (hash ^ bits) * 0x9E3779B97F4A7C15u;
            hash ^= hash >> 32;
        }
        return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15u) >> (64 - bits_));
    }

    Value& place(const Key& key, Value value)
    {
        std::size_t at = home(key);
        while (slots_[at].used)
            at = (at + 1) & mask();
        slots_[at] = {key, std::move(value), true};
        return slots_[at].value;
    }

    void grow()
    {
        ++bits_;
        std::vector<Slot> old(std::size_t{1} << bits_);
        old.swap(slots_);
        for (Slot& slot : old) {
            if (slot.used)
                place(slot.key, std::move(slot.value));
        }
    }

    std::vector<Slot> slots_; // 2 to the power of bits_ of them, at most half used
    std::size_t used_ = 0;
    int bits_ = 4;
};

} // namespace bidmark
