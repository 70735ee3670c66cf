#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/platform.h"

// Line files: single-byte text whose lines end at CR LF, a lone CR or a lone
// LF when read, and with CR LF when written. Every function that touches the
// disk throws Failure with a message naming the file.
namespace bidmark {

// The lines of a file's bytes. A last line without a line end counts; an
// empty text has no lines. Any byte may appear in a line.
std::vector<std::string> splitLines(std::string_view bytes);
// The same lines as views into the bytes, none of them copied: a list of tens
// of thousands of lines costs one vector, not a string each. The views are
// good while the bytes are.
std::vector<std::string_view> lineViews(std::string_view bytes);
// Where the line at the start of the bytes ends: the offset of the first CR
// or LF, or the size when there is none.
std::size_t lineEnd(std::string_view bytes);
// Each line of the bytes as splitLines finds them, numbered from 1, without
// holding them all: visit(number, line).
template <typename Visit>
void forEachLine(std::string_view bytes, Visit visit)
{
    std::size_t number = 0;
    while (!bytes.empty()) {
        const std::size_t end = lineEnd(bytes);
        visit(++number, bytes.substr(0, end));
        std::size_t next = end;
        if (next < bytes.size())
            next += bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n' ? 2 : 1;
        bytes.remove_prefix(next);
    }
}
// Each line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// The path of a file of the folder ("." or "" means the working directory)
// named by league text, the one way from league text to a path: the name
// spelled as the file system spells names, or, when no file has that name but
// one has the name's raw Windows-1252 bytes, that one. A name the file system
// gave (a listing, a dialog's answer) joins its folder with Path's "/".
Path pathIn(const Path& folder, std::string_view name);

// The platform layer's file calls: readFile (whole file, regular files only),
// writeFileAtomic (whole-file rewrite), checkWritable, deleteFile, fileExists
// (a regular file is there), and for the program's own records (the run
// journal) its folder and second-name calls.
using platform::checkWritable;
using platform::deleteFile;
using platform::fileExists;
using platform::fileSize;
using platform::isLink;
using platform::linkOrCopyFile;
using platform::listFolder;
using platform::makeFolder;
using platform::makeNewFolder;
using platform::moveFile;
using platform::readFile;
using platform::sameFile;
using platform::writeFileAtomic;

std::vector<std::string> readLines(const Path& path);
void writeLinesAtomic(const Path& path, const std::vector<std::string>& lines);
// A new file of a run's own records beside its manifest (its report, its
// receipts), the lines ending as writeLinesAtomic ends them, its bytes left
// to the system to flush: a power cut may lose it, never the league files
// nor the journal. A file of that name there already is a failure.
void writeRecordLines(const Path& path, const std::vector<std::string>& lines);
// The same for a record already made as a file's bytes.
void writeRecord(const Path& path, const std::string& bytes);

// Adds the lines at the end of the file, created when missing. The file is
// rewritten whole (its old bytes and the new lines, replaced atomically), so
// a crash, a kill or a full disk leaves the old file or the new one, never
// half a line: signed.txt grows only this way.
void appendLines(const Path& path, const std::vector<std::string>& lines);

// Both regular files hold the same bytes.
bool sameFileContent(const Path& path, const Path& other);

// The first regular file of the folder whose name, as league text, matches
// the pattern ('*', '?', case ignored), names taken in case-insensitive
// alphabetical order; that name (pathIn gives its path back), or empty text
// when none matches.
std::string findFile(const Path& folder, std::string_view pattern);

// The folder's files as a file picker lists them: regular files (links
// followed), not hidden (a name starting with '.'), in no set order, their
// names as the file system spells them (leagueTextOfName gives the text).
std::vector<std::string> pickableFiles(const Path& folder);

} // namespace bidmark
