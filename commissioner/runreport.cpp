#include "commissioner/runreport.h"

#include <algorithm>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "commissioner/receipts.h"
#include "core/exporttarget.h"
#include "core/linefile.h"
#include "gui/captionbutton.h"
#include "gui/fonts.h"
#include "gui/messages.h"
#include "gui/paths.h"
#include "gui/placement.h"
#include "gui/text.h"

namespace bidmark {

namespace {
constexpr int kWidth = 760; // at the least
} // namespace

RunReport::RunReport(const Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("RunReport"));
    setWindowTitle(QStringLiteral("Merge Report"));
    setAttribute(Qt::WA_ShowWithoutActivating); // the window the commissioner works in keeps the keyboard
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("reportText"));
    text_->setReadOnly(true);
    text_->setAccessibleName(windowTitle()); // a screen reader hears what the text is
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(gui::fixedFont(9));
    text_->document()->setUndoRedoEnabled(false); // read-only: nothing to undo, and no copy of each report kept
    auto* save = new gui::CaptionButton(QStringLiteral("Save As…"), this);
    save->setObjectName(QStringLiteral("saveReport"));
    auto* close = new gui::CaptionButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeReport"));

    receipts_ = new gui::CaptionButton(QStringLiteral("Open Receipts Folder"), this);
    receipts_->setObjectName(QStringLiteral("openReceipts"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(receipts_);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    resize(kWidth, 520);

    connect(save, &QPushButton::clicked, this, &RunReport::saveAs);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(receipts_, &QPushButton::clicked, this, &RunReport::openReceipts);
}

namespace {

QString receiptsFolder(const MergeReport& report)
{
    return gui::toQt(pathIn(report.runFolder, kReceiptsFolder));
}

} // namespace

void RunReport::showReport(MergeReport report, const QWidget* over)
{
    report_ = std::move(report);
    // The text converted at once; one byte is one character in the font of
    // fixed pitch, so the line of the most bytes is the widest.
    const std::vector<std::string>& lines = keptText(report_).lines;
    std::string text;
    const std::string* longest = nullptr;
    for (const std::string& line : lines) {
        text.append(line).push_back('\n');
        if (!longest || line.size() > longest->size())
            longest = &line;
    }
    if (!text.empty())
        text.pop_back();
    text_->document()->clear();
    insertAtStart(gui::toQt(text));
    setWindowTitle(QStringLiteral("Merge Report"));
    receipts_->setEnabled(!report_.runFolder.empty() && QFileInfo(receiptsFolder(report_)).isDir());
    if (!isVisible())
        widenTo(longest ? gui::toQt(*longest) : QString());
    gui::showFrom(this, over, gui::Place::Beside);
}

// The text put in through a cursor of its own, in plain characters: unlike
// setPlainText, nothing goes over the whole document again to format it, and
// a line at the top leaves the rest as it is. The view stays at the top.
void RunReport::insertAtStart(const QString& text)
{
    QTextCursor(text_->document()).insertText(text);
    text_->moveCursor(QTextCursor::Start);
}

void RunReport::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

// As wide as the longest line needs, within the screen: the lines read whole
// without scrolling sideways where the screen has room. Only that line is
// measured, whatever the length of the report.
void RunReport::widenTo(const QString& longestLine)
{
    const int longest = text_->fontMetrics().horizontalAdvance(longestLine);
    const QMargins margins = layout()->contentsMargins();
    const int needed = longest + static_cast<int>(2 * text_->document()->documentMargin()) + 2 * text_->frameWidth()
        + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margins.left() + margins.right();
    const int room = screen()->availableGeometry().width() * 9 / 10;
    resize(std::max(kWidth, std::min(needed, room)), height());
}

void RunReport::runUndone(const Path& runFolder)
{
    if (report_.runFolder.empty() || report_.runFolder != runFolder)
        return;
    setWindowTitle(QStringLiteral("Merge Report (undone)"));
    insertAtStart(QStringLiteral("Undone: Undo Last Run put back the files as they were before this run.\n\n"));
    receipts_->setEnabled(false); // the receipts tell of a merge that no longer stands
}

void RunReport::openReceipts()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(receiptsFolder(report_)).absoluteFilePath()));
}

void RunReport::saveAs()
{
    const QString league = QDir(gui::toQt(session_.leagueFolder)).absolutePath();
    const std::optional<Path> path =
        gui::chooseFileToSave(this, QStringLiteral("Save Report As"),
                              league + QLatin1Char('/') + gui::toQt(reportFileName(report_)),
                              QStringLiteral("Text files (*.txt);;All files (*)"));
    if (!path)
        return;
    gui::guarded(this, [&] {
        checkExportTarget(session_.leagueFolder, *path);
        writeReport(*path, report_);
    });
}

} // namespace bidmark
