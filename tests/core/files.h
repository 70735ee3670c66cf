#pragma once
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/failure.h"
#include "core/path.h"

// What the file tests look at: the message of a failure, and the names in a
// folder (no temporary file may stay behind).
namespace bidmark::test {

inline std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(no failure)";
}

inline std::vector<std::string> namesIn(const Path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder.bytes())))
        names.push_back(entry.path().filename().u8string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace bidmark::test
