#include "core/linefile.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

// Eight bytes at a time: a word with a CR or LF among its bytes has the high
// bit set of the first such byte (and maybe of bytes after it) in `hits`; on
// a little-endian machine the first byte is the lowest.
std::size_t lineEnd(std::string_view bytes)
{
    std::size_t at = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t highs = 0x8080808080808080u;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + at, 8);
        const std::uint64_t cr = word ^ (ones * '\r');
        const std::uint64_t lf = word ^ (ones * '\n');
        const std::uint64_t hits = (((cr - ones) & ~cr) | ((lf - ones) & ~lf)) & highs;
        if (hits)
            return at + static_cast<std::size_t>(__builtin_ctzll(hits)) / 8;
    }
#endif
    while (at < bytes.size() && bytes[at] != '\r' && bytes[at] != '\n')
        ++at;
    return at;
}

std::vector<std::string_view> lineViews(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    forEachLine(bytes, [&lines](std::size_t, std::string_view line) { lines.push_back(line); });
    return lines;
}

std::vector<std::string> splitLines(std::string_view bytes)
{
    const std::vector<std::string_view> views = lineViews(bytes);
    return std::vector<std::string>(views.begin(), views.end());
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

Path pathIn(const Path& folder, std::string_view name)
{
    const std::string spelled = fileSystemName(name);
    Path path = folder / spelled;
    if (spelled != name && !platform::exists(path)) {
        Path raw = folder / name; // an archive unpacked without conversion
        if (platform::exists(raw))
            return raw;
    }
    return path;
}

std::vector<std::string> readLines(const Path& path)
{
    return splitLines(readFile(path));
}

void writeLinesAtomic(const Path& path, const std::vector<std::string>& lines)
{
    writeFileAtomic(path, joinLines(lines));
}

void writeRecordLines(const Path& path, const std::vector<std::string>& lines) { writeRecord(path, joinLines(lines)); }

void writeRecord(const Path& path, const std::string& bytes)
{
    switch (platform::createNewFile(path, bytes, false, platform::Flush::left)) {
    case platform::NewFile::made:
        return;
    case platform::NewFile::taken:
        throw Failure("Cannot write " + path.shown() + ": a file of that name is there already");
    case platform::NewFile::folderReadOnly:
        throw Failure("Cannot write " + path.shown() + ": the folder is read-only");
    }
}

void appendLines(const Path& path, const std::vector<std::string>& lines)
{
    if (!fileExists(path))
        writeLinesAtomic(path, lines);
    else if (!lines.empty())
        writeFileAtomic(path, readFile(path) + joinLines(lines));
}

bool sameFileContent(const Path& path, const Path& other)
{
    return readFile(path) == readFile(other);
}

std::string findFile(const Path& folder, std::string_view pattern)
{
    bool found = false;
    std::string best, bestLower;
    for (const std::string& entry : listFolder(folder)) {
        const std::optional<std::string> name = leagueTextOfName(entry);
        if (!name || !fileNameMatch(*name, pattern) || !fileExists(folder / entry))
            continue;
        std::string lower = lowerCase(*name);
        if (!found || lower < bestLower || (lower == bestLower && *name < best)) {
            best = *name;
            bestLower = std::move(lower);
            found = true;
        }
    }
    return best;
}

std::vector<std::string> pickableFiles(const Path& folder)
{
    std::vector<std::string> names;
    for (std::string& entry : listFolder(folder)) {
        if (entry.front() != '.' && fileExists(folder / entry))
            names.push_back(std::move(entry));
    }
    return names;
}

} // namespace bidmark
