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

Path keyFolder()
{
    const char* chosen = std::getenv(kKeyFolderVariable);
    const Path folder = chosen && *chosen ? Path(chosen) : platform::userFolder();
    if (folder.empty())
        throw Failure("This system names no folder of the user's for the run journal's key");
    return folder;
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

std::optional<HashKey> readKey(const Path& path)
{
    // A key file another program is just making is empty for a moment.
    for (int tries = 0; tries < 20; ++tries) {
        if (platform::entryKind(path) == platform::EntryKind::none)
            return std::nullopt;
        if (const auto key = keyIn(readFile(path)))
            return key;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw Failure("The run journal's key " + path.shown()
                  + " is damaged. Remove it: Bidmark then makes a new one, and the runs it recorded before are "
                    "left alone.");
}

} // namespace

std::optional<HashKey> existingJournalKey() { return readKey(keyFolder() / kKeyFile); }

HashKey journalKey()
{
    const Path folder = keyFolder();
    const Path path = folder / kKeyFile;
    if (const auto key = readKey(path))
        return *key;
    makeFolder(folder);
    const std::string random = platform::randomBytes(16);
    HashKey key;
    for (std::size_t i = 0; i < 8; ++i) {
        key.k0 = (key.k0 << 8) | static_cast<unsigned char>(random[i]);
        key.k1 = (key.k1 << 8) | static_cast<unsigned char>(random[8 + i]);
    }
    switch (platform::createNewFile(path, hexDigits(key.k0) + hexDigits(key.k1) + "\r\n", true)) {
    case platform::NewFile::made:
        return key;
    case platform::NewFile::taken: // another program of the user made it first
        if (const auto made = readKey(path))
            return *made;
        break;
    case platform::NewFile::folderReadOnly:
        break;
    }
    throw Failure("Cannot make the run journal's key " + path.shown());
}

} // namespace bidmark
