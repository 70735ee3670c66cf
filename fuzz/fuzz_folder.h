#pragma once
#include <cstdlib>
#include <fstream>
#include <string>

// One scratch folder per fuzzing process, emptied of nothing: each input
// rewrites the files it uses.
inline const std::string& fuzzFolder()
{
    static const std::string folder = [] {
        char name[] = "/tmp/bidmark-fuzz-XXXXXX";
        if (!::mkdtemp(name))
            std::abort();
        return std::string(name);
    }();
    return folder;
}

inline void writeFuzzFile(const std::string& name, const std::string& bytes)
{
    std::ofstream out(fuzzFolder() + "/" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}
