#pragma once
#include <QString>
#include <QWidget>

#include "commissioner/mergereport.h"
#include "gui/session.h"

class QPlainTextEdit;
class QPushButton;

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
    // Undo put back the files of the run in `runFolder`: a report of that run
    // says it was undone.
    void runUndone(const Path& runFolder);

protected:
    void keyPressEvent(QKeyEvent* event) override; // Esc closes the window

private:
    void saveAs();
    void openReceipts();
    void insertAtStart(const QString& text);
    void widenTo(const QString& longestLine);

    const Session& session_;
    MergeReport report_;
    QPlainTextEdit* text_;
    QPushButton* receipts_;
};

} // namespace bidmark
