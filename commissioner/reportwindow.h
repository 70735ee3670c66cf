#pragma once
#include <QStringList>
#include <QWidget>

#include "commissioner/merge_report.h"
#include "gui/session.h"

class QPlainTextEdit;

namespace bidmark {

// The Merge Report window: what the last merge did with every line, read-only,
// a button that saves it as a text file (CR LF, Windows-1252) and one that
// closes it (so does Esc). Not modal.
class RunReport : public QWidget {
    Q_OBJECT
public:
    explicit RunReport(const Session& session, QWidget* parent = nullptr);
    // Shown in front, beside the window it is opened over when it was hidden;
    // the active window stays active.
    void showReport(MergeReport report, const QWidget* over = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override; // Esc closes the window

private:
    void saveAs();
    void widenToLines(const QStringList& lines);

    const Session& session_;
    MergeReport report_;
    QPlainTextEdit* text_;
};

} // namespace bidmark
