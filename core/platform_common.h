#pragma once
#include <filesystem>
#include <string>
#include <utility>

#include "core/path.h"

// What the platform files share: the shared part (platform.cpp) and the one
// file per system (platform_posix.cpp, platform_win.cpp). Nothing outside
// them includes this.
namespace bidmark::platform::detail {

std::string reason(int error); // the system's words for an errno value

// Called before every call that changes the disk (see watchWrites).
void aboutToWrite();

[[noreturn]] void fail(const char* what, const Path& path, const std::string& why);
[[noreturn]] void notFound(const Path& path);
[[noreturn]] void notRegular(const Path& path);
[[noreturn]] void tooLarge(const Path& path);
[[noreturn]] void readOnly(const Path& path);
[[noreturn]] void danglingLink(const Path& path);

// The temporary file's name beside the target; very long names would make it
// too long, so those get a short one.
std::string temporaryName(const std::string& base, const char* suffix);

// The folder of the file a rewrite replaces, with its last separator ("" for
// a bare name), and the file's name.
std::pair<std::string, std::string> folderAndName(const std::string& target, const Path& path);

// Per system: a path as std::filesystem takes it and back, the characters
// that separate folders, and making a new entry of a folder durable.
std::filesystem::path fsPath(const Path& path);
std::string pathText(const std::filesystem::path& path);
extern const char kSeparators[];
void syncParentFolder(const Path& path);

} // namespace bidmark::platform::detail
