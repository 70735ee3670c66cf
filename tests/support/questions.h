#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/questions.h"

namespace bidmark::test {

// A run's questions answered in turn from a list (none: Cancel); `meanwhile`
// runs while a question is open (another program at work).
class Answers : public Questions {
public:
    explicit Answers(std::vector<std::optional<bool>> answers) : answers_(std::move(answers)) {}
    bool yes(const Question& question) override { return yesOrNo(question).value(); }
    std::optional<bool> yesOrNo(const Question& question) override
    {
        asked.push_back(question);
        if (meanwhile)
            meanwhile();
        return answers_.at(asked.size() - 1);
    }
    void tell(std::string_view message) override { told.emplace_back(message); }

    std::vector<Question> asked;
    std::vector<std::string> told;
    std::function<void()> meanwhile;

private:
    std::vector<std::optional<bool>> answers_;
};

} // namespace bidmark::test
