#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"

// The one place where Bidmark speaks to the operating system: files, folders
// and the process's start. Every call that differs between Linux and Windows
// lives here; nothing else includes a POSIX or Windows header.
//
// Paths are the Path type (core/path.h). Failures throw Failure with a
// message that names the path as it was given ("File not found: fa.txt").
namespace bidmark::platform {

// What main does before anything else. A file-size limit (ulimit -f) makes a
// write fail with an ordinary message instead of ending the program. The
// memory of a list of tens of thousands of lines, once given back, is kept
// for the next one: each run and each window builds such lists again, and
// memory handed back to the system costs a page fault for every 4 KB of the
// next list.
void prepareProcess();

// No league file is larger; a bigger one is refused, not read.
inline constexpr long long kMaxFileSize = 256LL << 20;

bool exists(const Path& path);        // anything of that name, a dangling link too
bool fileExists(const Path& path); // a regular file is there, links followed

// A regular file's bytes. The file is opened without waiting (a named pipe
// never blocks); a folder, anything else that is not a regular file and a
// file larger than kMaxFileSize are refused.
std::string readFile(const Path& path);

// How a write reaches the disk: flushed before the call returns, or left to
// the system to write, for a file that means nothing after a power cut (the
// league folder's lock, a scratch file nothing reads) or may be lost with one
// (a run's report beside its manifest, a file the run itself deletes again).
enum class Flush { now, left };

// Whole-file rewrite: a temporary file beside the target, flushed to disk,
// renamed over it (retried briefly while another program holds the file), the
// folder synced where the system has that. A crash leaves the old file or the
// new one, never half of one. A link is followed and its target replaced in
// the target's folder. The permission bits of the old file stay. With
// `Flush::left` neither the file nor the folder is synced: a kill still leaves
// the old file or the new one, a power cut may leave either, or an empty one.
void writeFileAtomic(const Path& path, std::string_view bytes, Flush flush = Flush::now);
// Throws what writeFileAtomic would refuse before writing anything: a folder
// or other non-regular file, a read-only file, a link to nothing.
void checkWritable(const Path& path);

void deleteFile(const Path& path); // a missing file is a failure

// The names in a folder (not "." and ".."), in the order the system gives
// them; nothing when it cannot be listed.
std::vector<std::string> listFolder(const Path& folder); // names as the file system spells them
// The path from the file system's root, "." and ".." taken out.
Path absolutePath(const Path& path);
// The absolute path with every link followed as far as the path exists, the
// rest as given.
Path realPath(const Path& path);

// Folders and files for the program's own records.
void makeFolder(const Path& path); // with the folders above it; one already there is fine
// A folder made anew, its entry made durable where the system has that; false
// when something of that name is there already.
bool makeNewFolder(const Path& path);
// Removes the folder `name` of `folder` with the files and links right in it,
// never following a link: a link is removed, never what it names, and a
// link in place of the folder is left alone. A folder that holds a folder is
// kept whole (false); a missing one is fine.
bool removeOwnFolder(const Path& folder, const std::string& name);
void moveFile(const Path& from, const Path& to); // on one volume, replacing `to`
// `to` becomes a hard link to `from`, or a copy where the volume has no links.
void linkOrCopyFile(const Path& from, const Path& to);

bool isLink(const Path& path); // a symbolic link, whatever it names
std::uint64_t fileSize(const Path& path);
// Both names lead to one file (a hard link, or one name through a symbolic
// link); false when either is missing.
bool sameFile(const Path& path, const Path& other);

// What a path names, a link not followed.
enum class EntryKind { none, file, folder, link, other };
EntryKind entryKind(const Path& path);

// A new file made with these bytes, never through a link: made, or
// something of that name is there already, or the folder takes no new file
// (read-only, or not this user's to write); other failures throw. A secret
// file only its owner may read. Its bytes are flushed to disk before it
// returns unless `Flush::left`.
enum class NewFile { made, taken, folderReadOnly };
NewFile createNewFile(const Path& path, std::string_view bytes, bool secret = false,
                      Flush flush = Flush::now);
// Seconds since the entry was last written, a link not followed.
long long secondsSinceWritten(const Path& path);

// The program's arguments after its name, as the file system spells names
// (UTF-8 on Windows too, whatever the console's code page).
std::vector<std::string> arguments(int argc, char** argv);

// This process, the program it runs ("bidmark"), and the machine.
long long processId();
std::string programName();
std::string machineName();
// A process of that number runs on this machine.
bool processRunning(long long id);

// A regular file's bytes handed on in pieces, so that a file of any size needs
// the memory of one piece.
void readInPieces(const Path& path, const std::function<void(std::string_view)>& piece);
// Writes the bytes over the existing file's bytes at `offset`, flushed to
// disk, never through a link. Within the file's size no space is needed.
void overwriteAt(const Path& path, std::uint64_t offset, std::string_view bytes);

// Secret random bytes from the system.
std::string randomBytes(std::size_t count);
// The folder for what the program keeps for the user who runs it, outside
// any league folder ($XDG_CONFIG_HOME/bidmark or ~/.config/bidmark, or
// %APPDATA%/Bidmark); empty when the system names none.
Path userFolder();

// For the tests that stop the program at each of its writes in turn: the
// watcher is called before every call here that changes the disk.
void watchWrites(void (*watcher)());

// strtod in the "C" locale, whatever the process's locale.
double strtodInCLocale(const std::string& text);

} // namespace bidmark::platform
