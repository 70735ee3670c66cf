#include "core/journalkey.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/linefile.h"

namespace bidmark {

namespace {

std::string keyPath()
{
    const char* chosen = std::getenv(kKeyFolderVariable);
    const std::string folder = chosen && *chosen ? std::string(chosen) : platform::userFolder();
    if (folder.empty())
        throw Failure("This system names no folder of the user's for the run journal's key");
    return folder + "/" + std::string(kKeyFile);
}

std::optional<std::uint64_t> hexNumber(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || text.size() != 16)
        return std::nullopt;
    return value;
}

// The key a key file holds: 32 hexadecimal digits and a line end.
std::optional<HashKey> keyIn(const std::string& bytes)
{
    if (bytes.size() != 34 || bytes.compare(32, 2, "\r\n") != 0)
        return std::nullopt;
    const auto k0 = hexNumber(std::string_view(bytes).substr(0, 16));
    const auto k1 = hexNumber(std::string_view(bytes).substr(16, 16));
    if (!k0 || !k1)
        return std::nullopt;
    return HashKey{*k0, *k1};
}

std::string hex16(std::uint64_t value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = digits[value & 15];
    return text;
}

std::optional<HashKey> readKey(const std::string& path)
{
    // A key file another program is just making is empty for a moment.
    for (int tries = 0; tries < 20; ++tries) {
        if (platform::entryKind(path) == platform::EntryKind::none)
            return std::nullopt;
        if (const auto key = keyIn(readFile(path)))
            return key;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw Failure("The run journal's key " + shownPath(path)
                  + " is damaged. Remove it: Bidmark then makes a new one, and the runs it recorded before are "
                    "left alone.");
}

} // namespace

std::optional<HashKey> existingJournalKey() { return readKey(keyPath()); }

HashKey journalKey()
{
    const std::string path = keyPath();
    if (const auto key = readKey(path))
        return *key;
    makeFolder(path.substr(0, path.find_last_of('/')));
    const std::string random = platform::randomBytes(16);
    HashKey key;
    for (std::size_t i = 0; i < 8; ++i) {
        key.k0 = (key.k0 << 8) | static_cast<unsigned char>(random[i]);
        key.k1 = (key.k1 << 8) | static_cast<unsigned char>(random[8 + i]);
    }
    switch (platform::createNewFile(path, hex16(key.k0) + hex16(key.k1) + "\r\n", true)) {
    case platform::NewFile::made:
        return key;
    case platform::NewFile::taken: // another program of the user made it first
        if (const auto made = readKey(path))
            return *made;
        break;
    case platform::NewFile::folderReadOnly:
        break;
    }
    throw Failure("Cannot make the run journal's key " + shownPath(path));
}

} // namespace bidmark
