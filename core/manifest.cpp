#include "core/manifest.h"

#include <algorithm>
#include <charconv>

#include "core/filenames.h"
#include "core/linefile.h"

namespace bidmark {

namespace {

constexpr std::string_view kManifestTitle = "Bidmark run journal";

std::string hexText(std::uint64_t value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
    return std::string(buffer, end);
}

template <class Number>
std::optional<Number> numberOf(std::string_view text, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string afterText(const RecordedFile& file)
{
    if (file.unchanged)
        return "unchanged";
    if (!file.after)
        return "gone";
    return std::to_string(file.after->size) + " " + hexText(file.after->hash);
}

// "after: " of the manifest; false when the text is none of its forms.
bool readAfter(std::string_view text, RecordedFile& file)
{
    if (text == "unchanged") {
        file.unchanged = true;
        return true;
    }
    if (text == "gone")
        return true;
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return false;
    const auto size = numberOf<std::uint64_t>(text.substr(0, blank));
    const auto hash = numberOf<std::uint64_t>(text.substr(blank + 1), 16);
    if (!size || !hash)
        return false;
    file.after = FileState{*size, *hash};
    return true;
}

std::vector<std::string> manifestLines(const RunRecord& record)
{
    std::vector<std::string> lines{std::string(kManifestTitle), "run: " + record.run,
                                   "number: " + std::to_string(record.number), "started: " + record.started};
    const bool finished = !record.finished.empty();
    for (const RecordedFile& file : record.files) {
        lines.push_back("file: " + file.name);
        lines.push_back(file.saved ? "before: saved " + *file.saved : std::string("before: absent"));
        if (finished)
            lines.push_back("after: " + afterText(file));
    }
    const std::pair<const char*, const std::string*> marks[] = {
        {"finished: ", &record.finished}, {"undone: ", &record.undone}, {"recovered: ", &record.recovered}};
    for (const auto& [key, value] : marks) {
        if (!value->empty())
            lines.push_back(key + *value);
    }
    return lines;
}

} // namespace

std::optional<RunRecord> readManifest(const std::string& runFolder)
{
    const std::vector<std::string> lines = readLines(pathIn(runFolder, kManifestFile));
    if (lines.empty() || lines.front() != kManifestTitle)
        return std::nullopt;
    RunRecord record;
    record.folder = runFolder;
    bool numbered = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t colon = line.find(": ");
        if (colon == std::string::npos)
            return std::nullopt;
        const std::string_view key = std::string_view(line).substr(0, colon);
        const std::string value = line.substr(colon + 2);
        if (key == "file") {
            if (!isPlainFileName(value))
                return std::nullopt;
            record.files.push_back({value, std::nullopt, false, std::nullopt});
        } else if (key == "before") {
            if (record.files.empty())
                return std::nullopt;
            if (value.rfind("saved ", 0) == 0 && isPlainFileName(value.substr(6)))
                record.files.back().saved = value.substr(6);
            else if (value != "absent")
                return std::nullopt;
        } else if (key == "after") {
            if (record.files.empty() || !readAfter(value, record.files.back()))
                return std::nullopt;
        } else if (key == "number") {
            const auto number = numberOf<long long>(value);
            if (!number)
                return std::nullopt;
            record.number = *number;
            numbered = true;
        } else if (key == "run") {
            record.run = value;
        } else if (key == "started") {
            record.started = value;
        } else if (key == "finished") {
            record.finished = value;
        } else if (key == "undone") {
            record.undone = value;
        } else if (key == "recovered") {
            record.recovered = value;
        }
    }
    if (!numbered || record.run.empty())
        return std::nullopt;
    return record;
}

bool RunRecord::changedFiles() const
{
    return finished.empty()
        || std::any_of(files.begin(), files.end(), [](const RecordedFile& file) { return !file.unchanged; });
}

void writeManifest(const RunRecord& record)
{
    writeLinesAtomic(pathIn(record.folder, kManifestFile), manifestLines(record));
}

bool isPlainFileName(std::string_view name)
{
    constexpr std::string_view kSeparators("/\\:\0", 4);
    return !name.empty() && name != "." && name != ".." && name.find_first_of(kSeparators) == std::string_view::npos;
}

} // namespace bidmark
