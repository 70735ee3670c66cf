// Built into every test program: the run journal's key (core/journalkey.h)
// goes into a folder of the program's own, removed when it ends, never into
// the folder of the user who runs the tests.
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "core/journalkey.h"

namespace {

class TestKeyFolder {
public:
    TestKeyFolder()
        : folder_(std::filesystem::temp_directory_path()
                  / ("bidmark-test-key-" + std::to_string(std::random_device()())))
    {
        const std::string text = folder_.string();
#ifdef _WIN32
        _putenv_s(bidmark::kKeyFolderVariable, text.c_str());
#else
        setenv(bidmark::kKeyFolderVariable, text.c_str(), 1);
#endif
    }
    // Child processes end with _exit, so only the program itself gets here.
    ~TestKeyFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::filesystem::path folder_;
};

const TestKeyFolder kTestKeyFolder;

} // namespace
