#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Line files: single-byte text whose lines end at CR LF, a lone CR or a lone
// LF when read, and with CR LF when written. Every function that touches the
// disk throws Failure with a message naming the file.
namespace bidmark {

// The lines of a file's bytes. A last line without a line end counts; an
// empty text has no lines. Any byte may appear in a line.
std::vector<std::string> splitLines(std::string_view bytes);
// Each line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// Joins a folder and a file name ("." or "" means the working directory).
std::string pathIn(const std::string& folder, std::string_view name);

bool fileExists(const std::string& path); // a regular file is there
std::string readFile(const std::string& path);             // whole file
std::vector<std::string> readLines(const std::string& path);

// Whole-file rewrite: a sibling temporary file, flushed to disk, renamed over
// the target. A crash leaves the old file or the new one, never half of one.
void writeFileAtomic(const std::string& path, std::string_view bytes);
void writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines);

// Adds the lines at the end of the file, created when missing. The file is
// rewritten whole (its old bytes and the new lines, replaced atomically), so
// a crash, a kill or a full disk leaves the old file or the new one, never
// half a line: signed.txt grows only this way.
void appendLines(const std::string& path, const std::vector<std::string>& lines);

void deleteFile(const std::string& path); // a missing file is a failure

// The first regular file of the folder whose name matches the pattern ('*',
// '?', case ignored), names taken in case-insensitive alphabetical order; the
// bare name, or empty text when none matches.
std::string findFile(const std::string& folder, std::string_view pattern);

// Folders and second names of files, for the run journal.
// Makes the folder, its entry made durable; false when something of that name
// is there already.
bool makeFolder(const std::string& path);
// The names of the folder's subfolders, in no set order; none when the
// folder is missing.
std::vector<std::string> subfolderNames(const std::string& folder);
void removeFolder(const std::string& path); // with everything in it
// A second name `to` for the file at `from` (for a symbolic link, for what it
// names); false where that cannot be done, for example across drives or on a
// file system without hard links.
bool linkFile(const std::string& from, const std::string& to);
std::uint64_t fileSize(const std::string& path);
// Both names lead to one file (a hard link, or one name through a symbolic
// link); false when either is missing.
bool sameFile(const std::string& path, const std::string& otherPath);

} // namespace bidmark
