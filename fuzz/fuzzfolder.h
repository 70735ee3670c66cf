#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/path.h"

// One scratch folder per fuzzing process, in memory when /dev/shm is there and
// removed at exit; each input rewrites the files it uses.
inline const bidmark::Path& fuzzFolder()
{
    // Never destroyed: the removal at exit still needs the name.
    static const bidmark::Path* const folder = [] {
        std::string name(std::filesystem::is_directory("/dev/shm") ? "/dev/shm/bidmark-fuzz-XXXXXX"
                                                                    : "/tmp/bidmark-fuzz-XXXXXX");
        if (!::mkdtemp(name.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(fuzzFolder().bytes()); });
        return new bidmark::Path(name);
    }();
    return *folder;
}

// An empty folder of that name inside the scratch folder.
inline bidmark::Path freshFuzzFolder(const std::string& name)
{
    const bidmark::Path folder = fuzzFolder() / name;
    std::filesystem::remove_all(folder.bytes());
    std::filesystem::create_directory(folder.bytes());
    return folder;
}

inline void writeFuzzFile(const std::string& name, const std::string& bytes,
                          const bidmark::Path& folder = fuzzFolder())
{
    std::ofstream out((folder / name).bytes(), std::ios::binary | std::ios::trunc);
    out << bytes;
}
