#pragma once
#include <QWidget>

#include "commissioner/merge_report.h"
#include "gui/session.h"

class QPlainTextEdit;
class QPushButton;

namespace bidmark {

// The Merge Report window: what the last merge did with every line, read-only,
// and a button that saves it as a text file (CR LF, Windows-1252). Not modal.
class RunReport : public QWidget {
    Q_OBJECT
public:
    explicit RunReport(const Session& session, QWidget* parent = nullptr);
    void showReport(MergeReport report); // shown in front, the active window staying active
    // Undo put back the files of the run in `runFolder`: a report of that run
    // says it was undone.
    void runUndone(const std::string& runFolder);

private:
    void saveAs();
    void openReceipts();

    const Session& session_;
    MergeReport report_;
    QPlainTextEdit* text_;
    QPushButton* receipts_;
};

} // namespace bidmark
