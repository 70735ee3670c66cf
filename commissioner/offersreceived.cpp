#include "commissioner/offersreceived.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commissioner/received.h"
#include "commissioner/receiveflow.h"
#include "core/linefile.h"
#include "gui/captionbutton.h"
#include "gui/messages.h"
#include "gui/paths.h"
#include "gui/text.h"

namespace bidmark {

namespace {

enum Column { Team, File, Lines, Used, Refused, Changed, MailCopies, kColumns };

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString changedText(const Path& path)
{
    const QFileInfo info(gui::toQt(path));
    return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
}

} // namespace

OffersReceived::OffersReceived(const Session& session, bool moveSignedPlayers, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), moveSigned_(moveSignedPlayers)
{
    setObjectName(QStringLiteral("OffersReceived"));
    setWindowTitle(QStringLiteral("Offers Received"));
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("receivedTable"));
    table_->setAccessibleName(windowTitle());
    table_->setHorizontalHeaderLabels({QStringLiteral("Team"), QStringLiteral("Offer file"), QStringLiteral("Lines"),
                                       QStringLiteral("Would use"), QStringLiteral("Would refuse"),
                                       QStringLiteral("Changed"), QStringLiteral("Mail copies")});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* receiveFiles = new gui::CaptionButton(QStringLiteral("Receive Offer Files…"), this);
    receiveFiles->setObjectName(QStringLiteral("receiveFiles"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(receiveFiles);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    resize(900, 420);

    connect(receiveFiles, &QPushButton::clicked, this, [this] { receive(chooseOfferFiles(this)); });
}

void OffersReceived::refresh(bool moveSignedPlayers)
{
    moveSigned_ = moveSignedPlayers;
    table_->setRowCount(0);
    gui::guarded(this, [this] {
        const Path& folder = session_.leagueFolder;
        const std::vector<ReceivedTeam> teams = offersReceived(folder, moveSigned_);
        table_->setRowCount(static_cast<int>(teams.size()));
        for (int row = 0; row < table_->rowCount(); ++row) {
            const FileReport& file = teams[row].file;
            table_->setItem(row, Team, cell(gui::toQt(file.team)));
            if (file.missing) {
                table_->setItem(row, File, cell(QStringLiteral("nothing received")));
            } else {
                const LineCounts counts = countLines(file);
                table_->setItem(row, File, cell(gui::toQt(file.fileName)));
                table_->setItem(row, Lines, cell(QString::number(file.lineCount)));
                table_->setItem(row, Used, cell(QString::number(counts.added + counts.replaced + counts.takenBack)));
                table_->setItem(row, Refused, cell(gui::toQt(refusedText(file))));
                table_->setItem(row, Changed, cell(changedText(pathIn(folder, file.fileName))));
            }
            auto* copies = new QWidget;
            auto* copiesLayout = new QHBoxLayout(copies);
            copiesLayout->setContentsMargins(0, 0, 0, 0);
            for (const std::string& variant : teams[row].variants) {
                auto* take = new QPushButton(QStringLiteral("Take %1").arg(gui::toQt(variant)), copies);
                take->setObjectName(QStringLiteral("takeVariant"));
                take->setToolTip(QStringLiteral("Take %1 as %2").arg(gui::toQt(variant), gui::toQt(file.fileName)));
                const Path path = pathIn(folder, variant);
                connect(take, &QPushButton::clicked, this, [this, path] { receive({path}); });
                copiesLayout->addWidget(take);
            }
            copiesLayout->addStretch();
            table_->setCellWidget(row, MailCopies, copies);
        }
        table_->resizeColumnsToContents();
    });
}

void OffersReceived::receive(const std::vector<Path>& files)
{
    if (files.empty())
        return;
    if (receiveOfferFiles(this, session_, files)) // a button of the table may be the sender: refresh later
        QMetaObject::invokeMethod(this, [this] { refresh(moveSigned_); }, Qt::QueuedConnection);
}

} // namespace bidmark
