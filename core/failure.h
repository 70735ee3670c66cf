#pragma once
#include <stdexcept>
#include <string>

namespace bidmark {

// The one failure type of the program. Its message names what failed and the
// file ("File not found: teams.txt"); every handler shows it and keeps running.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace bidmark
