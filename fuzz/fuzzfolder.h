#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// One scratch folder per fuzzing process, in memory when /dev/shm is there and
// removed at exit; each input rewrites the files it uses.
inline const std::string& fuzzFolder()
{
    // Never destroyed: the removal at exit still needs the name.
    static const std::string* const folder = [] {
        auto* name = new std::string(std::filesystem::is_directory("/dev/shm") ? "/dev/shm/bidmark-fuzz-XXXXXX"
                                                                              : "/tmp/bidmark-fuzz-XXXXXX");
        if (!::mkdtemp(name->data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(fuzzFolder()); });
        return name;
    }();
    return *folder;
}

// An empty folder of that name inside the scratch folder.
inline std::string freshFuzzFolder(const std::string& name)
{
    const std::string folder = fuzzFolder() + "/" + name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    return folder;
}

inline void writeFuzzFile(const std::string& name, const std::string& bytes,
                          const std::string& folder = fuzzFolder())
{
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}
