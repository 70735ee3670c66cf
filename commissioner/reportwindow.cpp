#include "commissioner/reportwindow.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "core/exporttarget.h"
#include "core/linefile.h"
#include "gui/captionbutton.h"
#include "gui/fonts.h"
#include "gui/messages.h"
#include "gui/text.h"

namespace bidmark {

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
    auto* save = new gui::CaptionButton(QStringLiteral("Save As…"), this);
    save->setObjectName(QStringLiteral("saveReport"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    resize(760, 520);

    connect(save, &QPushButton::clicked, this, &RunReport::saveAs);
}

void RunReport::showReport(MergeReport report)
{
    report_ = std::move(report);
    QStringList lines;
    for (const std::string& line : reportLines(report_))
        lines << gui::toQt(line);
    text_->setPlainText(lines.join(QLatin1Char('\n')));
    show();
    raise();
}

void RunReport::saveAs()
{
    const QString league = QDir(QString::fromStdString(session_.leagueFolder)).absolutePath();
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Save Report As"),
                                                        league + QStringLiteral("/report.txt"),
                                                        QStringLiteral("Text files (*.txt);;All files (*)"));
    if (chosen.isEmpty())
        return;
    gui::guarded(this, [&] {
        const std::string path = chosen.toStdString(); // paths are UTF-8
        checkExportTarget(session_.leagueFolder, path);
        writeReport(path, report_);
    });
}

} // namespace bidmark
