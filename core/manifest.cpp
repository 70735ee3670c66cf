#include "core/manifest.h"

#include <algorithm>
#include <charconv>

namespace bidmark {

namespace {

constexpr std::string_view kManifestTitle = "Bidmark run journal";
constexpr std::string_view kMarkKey = "mark: ";
constexpr std::string_view kEndKey = "end: ";
constexpr std::size_t kTimeWidth = 19;  // "2026-12-07 09.30.12"
constexpr std::size_t kAfterWidth = 53; // a size of up to 20 digits, a blank, a hash of 32
constexpr std::size_t kMarkWidth = 32;

template <class Number>
std::optional<Number> numberOf(std::string_view text, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string hashText(const std::array<std::uint64_t, 2>& hash) { return hexDigits(hash[0]) + hexDigits(hash[1]); }

std::optional<std::array<std::uint64_t, 2>> hashOf(std::string_view text)
{
    if (text.size() != kMarkWidth)
        return std::nullopt;
    const auto high = numberOf<std::uint64_t>(text.substr(0, 16), 16);
    const auto low = numberOf<std::uint64_t>(text.substr(16), 16);
    if (!high || !low)
        return std::nullopt;
    return std::array<std::uint64_t, 2>{*high, *low};
}

std::string stateText(const FileState& state) { return std::to_string(state.size) + " " + hashText(state.hash); }

std::optional<FileState> stateIn(std::string_view text)
{
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    const auto size = numberOf<std::uint64_t>(text.substr(0, blank));
    const auto hash = hashOf(text.substr(blank + 1));
    if (!size || !hash)
        return std::nullopt;
    return FileState{*size, *hash};
}

// The mark of a manifest's text up to its mark or end line: the keyed hash
// of the text, apart from any other hash the key makes.
// The run folder's name is marked too, so that a copy of a run's folder under
// another name is none of the program's.
std::string markOf(std::string_view text, std::string_view what, const Path& folder, const HashKey& key)
{
    ContentHash hash(key);
    hash.add(what);
    hash.add(folder.name());
    hash.add(std::string_view("\0", 1));
    hash.add(text);
    return hashText(hash.result());
}

std::string line(std::string_view key, std::string_view value)
{
    return std::string(key) + std::string(value) + "\r\n";
}

std::string padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string trimmed(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

std::string afterText(const RecordedFile& file)
{
    if (file.unchanged)
        return "unchanged";
    return file.after ? stateText(*file.after) : "gone";
}

bool readAfter(const std::string& text, RecordedFile& file)
{
    file.unchanged = text == "unchanged";
    if (file.unchanged || text == "gone")
        return true;
    file.after = stateIn(text);
    return file.after.has_value();
}

// The lines of text that end in CR LF; none when any does not.
std::optional<std::vector<std::string_view>> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos)
            return std::nullopt;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    return lines;
}

bool startsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// The start of a manifest (up to its mark line) read into the record.
bool readStart(std::string_view text, RunRecord& record)
{
    const auto lines = linesOf(text);
    if (!lines || lines->size() < 4 || lines->front() != kManifestTitle)
        return false;
    bool numbered = false;
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const std::string_view entry = (*lines)[i];
        const std::size_t colon = entry.find(": ");
        if (colon == std::string_view::npos)
            return false;
        const std::string_view key = entry.substr(0, colon);
        const std::string value(entry.substr(colon + 2));
        if (key == "file") {
            if (!isPlainFileName(value) || record.files.size() == kMaxRunFiles)
                return false;
            record.files.push_back({value, std::nullopt, {}, false, std::nullopt});
        } else if (key == "before" && !record.files.empty() && value == "absent") {
        } else if (key == "before" && !record.files.empty() && startsWith(value, "saved ")) {
            // "saved <copy name> <size> <hash>"
            const std::size_t hashAt = value.rfind(' ');
            const std::size_t sizeAt = hashAt > 6 ? value.rfind(' ', hashAt - 1) : std::string::npos;
            if (sizeAt == std::string::npos || sizeAt <= 6)
                return false;
            const auto state = stateIn(std::string_view(value).substr(sizeAt + 1));
            const std::string copy = value.substr(6, sizeAt - 6);
            if (!state || !isPlainFileName(copy))
                return false;
            record.files.back().saved = copy;
            record.files.back().before = *state;
        } else if (key == "number" || key == "undoes" || key == "puts back") {
            const auto number = numberOf<long long>(value);
            if (!number || *number < 1 || *number > kMaxRunNumber)
                return false;
            if (key == "number") {
                record.number = *number;
                numbered = true;
            } else {
                record.kind = key == "undoes" ? RunKind::undo : RunKind::recovery;
                record.target = *number;
            }
        } else if (key == "run") {
            record.run = value;
        } else if (key == "started") {
            record.started = value;
        } else {
            return false;
        }
    }
    return numbered && !record.run.empty();
}

} // namespace

bool RunRecord::changedFiles() const
{
    return finished.empty()
        || std::any_of(files.begin(), files.end(), [](const RecordedFile& file) { return !file.unchanged; });
}

bool isPlainFileName(std::string_view name)
{
    constexpr std::string_view kRefused("/\\:\r\n\0", 6);
    return !name.empty() && name != "." && name != ".." && name.find_first_of(kRefused) == std::string_view::npos;
}

std::string startedManifest(const RunRecord& record, const HashKey& key)
{
    std::string text = std::string(kManifestTitle) + "\r\n" + line("run: ", record.run)
        + line("number: ", std::to_string(record.number)) + line("started: ", record.started);
    if (record.kind != RunKind::run)
        text += line(record.kind == RunKind::undo ? "undoes: " : "puts back: ", std::to_string(record.target));
    for (const RecordedFile& file : record.files) {
        text += line("file: ", file.name);
        text += line("before: ", file.saved ? "saved " + *file.saved + " " + stateText(file.before) : "absent");
    }
    text += line(kMarkKey, markOf(text, "start", record.folder, key));
    // The room for the finish, blank until the run finishes.
    text += line("finished: ", std::string(kTimeWidth, ' '));
    for (std::size_t i = 0; i < record.files.size(); ++i)
        text += line("after: ", std::string(kAfterWidth, ' '));
    return text + line(kEndKey, std::string(kMarkWidth, ' '));
}

std::uint64_t finishOffset(const std::string& startedText)
{
    return startedText.find("\r\nfinished: ") + 2;
}

std::string finishText(const RunRecord& record, std::string_view startedText, const HashKey& key)
{
    std::string text = line("finished: ", padded(record.finished, kTimeWidth));
    for (const RecordedFile& file : record.files)
        text += line("after: ", padded(afterText(file), kAfterWidth));
    const std::string marked = std::string(startedText.substr(0, finishOffset(std::string(startedText)))) + text;
    return text + line(kEndKey, markOf(marked, "end", record.folder, key));
}

std::optional<RunRecord> parseManifest(const std::string& text, const Path& runFolder, const HashKey& key)
{
    const std::size_t markAt = text.find("\r\nmark: ");
    if (markAt == std::string::npos)
        return std::nullopt;
    const std::string_view start = std::string_view(text).substr(0, markAt + 2);
    const std::size_t finishAt = markAt + 2 + kMarkKey.size() + kMarkWidth + 2;
    if (text.compare(markAt + 2 + kMarkKey.size(), kMarkWidth, markOf(start, "start", runFolder, key)) != 0
        || text.compare(finishAt - 2, 2, "\r\n") != 0)
        return std::nullopt;
    RunRecord record;
    record.folder = runFolder;
    if (!readStart(start, record))
        return std::nullopt;

    const auto finish = linesOf(std::string_view(text).substr(finishAt));
    const std::size_t files = record.files.size();
    if (!finish || finish->size() != files + 2 || !startsWith(finish->front(), "finished: ")
        || !startsWith(finish->back(), kEndKey))
        return std::nullopt;
    const std::string endMark(finish->back().substr(kEndKey.size()));
    if (trimmed(endMark).empty()) {
        // Not finished: its room is still blank.
        const std::string blank = line("finished: ", std::string(kTimeWidth, ' '));
        return text.compare(finishAt, blank.size(), blank) == 0 ? std::optional<RunRecord>(record) : std::nullopt;
    }
    const std::size_t endAt = text.size() - finish->back().size() - 2;
    if (endMark != markOf(std::string_view(text).substr(0, endAt), "end", runFolder, key))
        return std::nullopt;
    record.finished = trimmed((*finish)[0].substr(10));
    for (std::size_t i = 0; i < files; ++i) {
        const std::string_view after = (*finish)[i + 1];
        if (!startsWith(after, "after: ") || !readAfter(trimmed(after.substr(7)), record.files[i]))
            return std::nullopt;
    }
    return record.finished.empty() ? std::nullopt : std::optional<RunRecord>(record);
}

} // namespace bidmark
