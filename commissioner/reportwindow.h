#pragma once
#include <QWidget>

#include "commissioner/merge_report.h"
#include "gui/session.h"

class QPlainTextEdit;

namespace bidmark {

// The Merge Report window: what the last merge did with every line, read-only,
// and a button that saves it as a text file (CR LF, Windows-1252). Not modal.
class RunReport : public QWidget {
    Q_OBJECT
public:
    explicit RunReport(const Session& session, QWidget* parent = nullptr);
    void showReport(MergeReport report); // shown in front, the active window staying active

private:
    void saveAs();

    const Session& session_;
    MergeReport report_;
    QPlainTextEdit* text_;
};

} // namespace bidmark
