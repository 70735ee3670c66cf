#pragma once
#include <optional>
#include <string>
#include <string_view>

// The questions a run asks before it takes the league folder's lock, put to
// whoever drives it: the windows answer with message boxes, the command line
// with its options, tests with answers of their own.
namespace bidmark {

struct Question {
    std::string text;
    std::string_view option;   // the command line's option that answers Yes ahead ("--yes")
    std::string_view noOption = {}; // the one that answers No ahead, where No still runs something
};

class Questions {
public:
    virtual ~Questions() = default;
    virtual bool yes(const Question& question) = 0; // Yes, or No
    virtual std::optional<bool> yesOrNo(const Question& question) = 0; // Yes, No, or none: Cancel
    virtual void tell(std::string_view message) = 0; // said before the run goes on
};

} // namespace bidmark
