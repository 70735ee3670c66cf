#pragma once
#include <QString>
#include <QTextBrowser>

namespace bidmark {

// The user guide (a Markdown file beside its pictures) in a window of its
// own, read-only; its links to the web open in the browser.
class UserGuide : public QTextBrowser {
    Q_OBJECT
public:
    explicit UserGuide(const QString& file, QWidget* parent = nullptr);
};

} // namespace bidmark
