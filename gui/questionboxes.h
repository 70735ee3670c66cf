#pragma once
#include "core/questions.h"

class QWidget;

// A run's questions asked in message boxes titled "Bidmark".
namespace bidmark::gui {

class QuestionBoxes : public Questions {
public:
    explicit QuestionBoxes(QWidget* parent) : parent_(parent) {}
    bool yes(const Question& question) override;
    std::optional<bool> yesOrNo(const Question& question) override;
    void tell(std::string_view message) override;

private:
    QWidget* parent_;
};

} // namespace bidmark::gui
