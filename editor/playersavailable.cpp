#include "editor/playersavailable.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "editor/earlieroffers.h"
#include "editor/contractdialog.h"
#include "editor/offerlistwidget.h"
#include "editor/playerdetails.h"
#include "editor/search.h"
#include "gui/canvas.h"
#include "gui/captionbutton.h"
#include "gui/captionfit.h"
#include "gui/controls.h"
#include "gui/fonts.h"
#include "gui/leaguerun.h"
#include "gui/messages.h"
#include "gui/questionboxes.h"
#include "gui/text.h"

namespace bidmark {

namespace {

const char* const kStatisticsHeader =
    "Name                        TEAM GP   G   A   P +/- PIM PP SH GW GT    S  PCTG GS PS";
const char* const kMarketValueHeader =
    "Name                 Age Pos OV  #   High  Low   Avg   Last  M.V.";
const QColor kFrameGrey(192, 192, 192);

// Check1..Check7, in the order of core's Filter.
constexpr gui::Control kFilterBoxes[kFilterCount] = {
    {"Check1", "Centers", {600, 240, 1335, 195}},       {"Check2", "Left Wingers", {600, 480, 1335, 195}},
    {"Check3", "Right Wingers", {600, 720, 1335, 195}}, {"Check4", "Defense", {600, 960, 1335, 195}},
    {"Check5", "Goalies", {600, 1200, 1335, 195}},      {"Check6", "RFA", {2280, 240, 1335, 195}},
    {"Check7", "UFA", {2280, 480, 1335, 195}},
};

// A text box used as a caption: no border, the given background; a screen
// reader hears its caption.
QLineEdit* captionBox(QWidget* parent, const gui::Control& control, const QColor& background)
{
    auto* box = gui::named<QLineEdit>(parent, control);
    box->setAccessibleName(box->text());
    box->setFrame(false);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus); // Tab goes past it to the controls it names
    box->setCursorPosition(0); // a caption wider than its box shows its start
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    box->setPalette(palette);
    return box;
}

// A details line and its column header, both in the fixed-pitch font.
QLineEdit* detailsBox(QWidget* parent, const char* name, gui::Twips at)
{
    auto* box = gui::named<QLineEdit>(parent, name, at);
    box->setReadOnly(true);
    box->setFont(gui::fixedFont(8.25));
    return box;
}

QLabel* headerLabel(QWidget* parent, const char* name, gui::Twips at, const char* text)
{
    auto* label = gui::named<QLabel>(parent, name, at, QString::fromLatin1(text));
    label->setFont(gui::fixedFont(8.25));
    return label;
}

// Our own decoration: a puck sliding towards a goal on the ice.
QPixmap drawPicture()
{
    QPixmap picture = gui::canvas(100, 50, QColor(225, 240, 255));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 0, 0), 3));
    painter.drawLine(70, 0, 70, 50);
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    painter.drawRect(74, 15, 18, 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 20));
    painter.drawEllipse(QPointF(30, 25), 8, 5);
    painter.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
    painter.drawLine(6, 25, 20, 25);
    return picture;
}

} // namespace

PlayersAvailable::PlayersAvailable(Session& session, QWidget* parent)
    : QWidget(parent)
    , session_(session)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Players Available"));
    gui::sizeTwips(this, 11880, 7290);
    buildLayout();
    connectHandlers();

    // The load step: the captions of the mode.
    if (session_.signingMode()) {
        prompt_->setText(gui::toQt(signingPrompt(offers_)));
        offersCaption_->setText(QStringLiteral("Signed Players"));
        done_->setText(QStringLiteral("Merge Signed Players"));
        myOffers_->hide();
        earlierOffers_->hide();
        myOffersTotal_->hide();
    }
    offersCaption_->setAccessibleName(offersCaption_->text());
    offerList_->setAccessibleName(offersCaption_->text());
    gui::fitCaptions(this);
}

void PlayersAvailable::buildLayout()
{
    const QColor buttonFace = palette().color(QPalette::Button);
    captionBox(this, {"Text1", "Filters: Display these types of players", {240, 0, 2655, 225}}, buttonFace);
    for (int box = 0; box < kFilterCount; ++box) {
        const gui::Control& filter = kFilterBoxes[box];
        filters_[box] = gui::named<QCheckBox>(this, filter);
        filters_[box]->setChecked(true);
    }
    showStats_ = gui::named<QCheckBox>(this, "Check8", {2280, 960, 2415, 255},
                                       QStringLiteral("Show Last Season's Stats"));
    showStats_->setChecked(true);
    myOffers_ = gui::named<QCheckBox>(this, "myOffers", {2280, 720, 1695, 195}, QStringLiteral("My offers only"));
    search_ = gui::named<gui::CaptionButton>(this, "Command2", {4080, 240, 1155, 315}, QStringLiteral("Search for"));
    searchText_ = gui::named<QLineEdit>(this, "Text4", {4080, 600, 1215, 285});
    searchText_->setAccessibleName(search_->text());

    gui::named<QLabel>(this, "Picture1", {6960, 0, 1575, 855})->setPixmap(drawPicture());

    prompt_ = gui::named<QLabel>(this, "Label1", {120, 1395, 2175, 615});
    prompt_->setFont(gui::sansFont(12, true));
    prompt_->setWordWrap(true);
    // The two details lines and their headers stacked without overlapping,
    // within the window's width; the market value line reaches into the
    // frame's margin above the player list.
    QLabel* statisticsHeader = headerLabel(this, "Label2", {2280, 1200, 8895, 240}, kStatisticsHeader);
    statistics_ = detailsBox(this, "Text3", {2280, 1440, 9600, 285});
    marketValueHeader_ = headerLabel(this, "Label3", {2280, 1725, 8895, 210}, kMarketValueHeader);
    marketValue_ = detailsBox(this, "Text5", {2280, 1935, 9600, 285});
    // A screen reader hears each details line by its column header.
    statisticsHeader->setBuddy(statistics_);
    marketValueHeader_->setBuddy(marketValue_);
    marketValueHeader_->hide();
    marketValue_->hide();
    bestOffer_ = gui::named<QLabel>(this, "bestOffer", {8640, 120, 3135, 1035});
    bestOffer_->setWordWrap(true);
    bestOffer_->setTextFormat(Qt::PlainText);
    bestOffer_->hide();

    // The frame and its lists end at the window's edges, so that the offer
    // list's scroll bar shows.
    auto* frame = gui::named<QGroupBox>(this, "Frame1", {0, 2160, 11880, 5130}, QStringLiteral("Available Players"));
    frame->setAutoFillBackground(true);
    QPalette grey = frame->palette();
    grey.setColor(QPalette::Window, kFrameGrey);
    frame->setPalette(grey);

    playerModel_ = new PlayerListModel(this);
    playerList_ = gui::named<QListView>(frame, "List1", {0, 240, 11880, 2595});
    playerList_->setModel(playerModel_);
    playerList_->setUniformItemSizes(true);
    playerList_->setItemDelegate(new LongestLineDelegate([this] { return playerModel_->longestRow(); }, playerList_));
    playerList_->setSelectionMode(QAbstractItemView::SingleSelection);
    playerList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    playerList_->setFont(gui::fixedFont(9.75));
    playerList_->setAccessibleName(frame->title());

    offersCaption_ = captionBox(frame, {"Text2", "Offers", {120, 3000, 2655, 225}}, kFrameGrey);
    earlierOffers_ = gui::named<QLabel>(frame, "earlierOffers", {2880, 3000, 5295, 225});
    // The list ends above the window's bottom edge, with the total under it.
    offerList_ = gui::named<OfferListWidget>(frame, "List2", {0, 3240, 8175, 1560});
    myOffersTotal_ = gui::named<QLabel>(frame, "myOffersTotal", {120, 4830, 8055, 255});
    offerList_->setSelectionMode(QAbstractItemView::SingleSelection);
    offerList_->setFont(gui::fixedFont(9.75));
    offerList_->setUniformItemSizes(true);
    offerList_->setItemDelegate(new LongestLineDelegate([this] { return longestShownRow(offers_.entries); }, offerList_));
    done_ = gui::named<gui::CaptionButton>(frame, "Command1", {8400, 3960, 1215, 615}, QStringLiteral("Done"));
    marketValue_->raise();
}

void PlayersAvailable::connectHandlers()
{
    for (QCheckBox* filter : filters_)
        connect(filter, &QCheckBox::clicked, this, &PlayersAvailable::filterClicked);
    connect(myOffers_, &QCheckBox::clicked, this, &PlayersAvailable::filterClicked);
    connect(search_, &QPushButton::clicked, this, &PlayersAvailable::searchClicked);
    connect(playerList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlayersAvailable::selectionChanged);
    // A click on the line already selected shows its details again too, for
    // instance after "Show Last Season's Stats" was ticked.
    connect(playerList_, &QAbstractItemView::clicked, this, &PlayersAvailable::selectionChanged);
    connect(playerList_, &QAbstractItemView::doubleClicked, this, &PlayersAvailable::playerListDoubleClicked);
    // Keys: Enter in the player list acts as a double-click, Enter in the
    // search box as Search for.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        new QShortcut(key, playerList_, this, &PlayersAvailable::playerListDoubleClicked, Qt::WidgetShortcut);
    connect(searchText_, &QLineEdit::returnPressed, this, &PlayersAvailable::searchClicked);
    connect(offerList_, &OfferListWidget::entryPicked, this, &PlayersAvailable::offerPicked);
    connect(done_, &QPushButton::clicked, this, &PlayersAvailable::doneClicked);
}

void PlayersAvailable::setPlayerLines(std::string faText)
{
    faFile_.reset(); // the team may be another one
    takeFreeAgents(std::move(faText));
    replacePlayerLines(faFile_, faLines_);
    showOffers();
}

bool PlayersAvailable::takeFreeAgents(std::string faText)
{
    if (faFile_ && *faFile_ == faText)
        return false;
    faFile_ = std::make_shared<const std::string>(std::move(faText));
    faLines_ = std::make_shared<const PlayerLines>(lineViews(*faFile_));
    faKinds_.reset();
    standingOffers_ = session_.signingMode() ? StandingOffers{} : standingOffers(*faLines_, session_.currentTeam);
    return true;
}

// The team's standing offers are taken from the whole list; "My offers only"
// keeps the players with an offer standing or an entry in the offer list. A
// filter click that reads fa.txt as it was builds the list from the lines
// already found in it and what the boxes asked of them before.
void PlayersAvailable::showFreeAgents(std::string faText)
{
    const bool changed = takeFreeAgents(std::move(faText));
    if (!faKinds_)
        faKinds_ = lineKinds(*faLines_);
    PlayerLines lines = buildPlayerList(tickedFilters(), *faLines_, *faKinds_);
    if (myOffers_->isChecked() && !session_.signingMode())
        lines = myOffersOnly(lines, session_.currentTeam, offers_.entries);
    replacePlayerLines(faFile_, std::make_shared<const PlayerLines>(std::move(lines)));
    if (changed)
        showOffersTotal(); // the offer list itself is as it was
}

// A new list starts with no line selected, and so with no player's details.
void PlayersAvailable::replacePlayerLines(std::shared_ptr<const std::string> file,
                                          std::shared_ptr<const PlayerLines> lines)
{
    playerModel_->setLines(std::move(file), std::move(lines));
    showDetails({}, {});
}

// Each details line is shown from its first character, so that its columns
// line up with the header above it.
void PlayersAvailable::showDetails(const std::string& statistics, const std::string& marketValue)
{
    statistics_->setText(gui::toQt(statistics));
    statistics_->setCursorPosition(0);
    marketValue_->setText(gui::toQt(marketValue));
    marketValue_->setCursorPosition(0);
    bestOffer_->clear();
}

void PlayersAvailable::clearLists()
{
    replacePlayerLines({}, {});
    faFile_.reset();
    faLines_.reset();
    faKinds_.reset();
    standingOffers_ = {};
    offers_ = OfferList{};
    showOffers();
}

void PlayersAvailable::showMarketValue()
{
    marketValueHeader_->show();
    marketValue_->show();
    bestOffer_->show();
}

bool PlayersAvailable::selectPlayer(const std::string& nameKey)
{
    const std::optional<std::size_t> row = findPlayer(playerLines(), nameKey);
    if (!row)
        return false;
    const QModelIndex index = playerModel_->index(static_cast<int>(*row));
    playerList_->setCurrentIndex(index);
    playerList_->scrollTo(index);
    return true;
}

// A file that cannot be read leaves the list empty.
void PlayersAvailable::filterClicked()
{
    gui::guarded(this, [&] {
        gui::BusyCursor busy;
        replacePlayerLines({}, {});
        showFreeAgents(readFile(pathIn(session_.leagueFolder, kFreeAgentFile)));
    });
}

void PlayersAvailable::searchClicked()
{
    gui::guarded(this, [&] {
        const std::optional<std::string> text =
            gui::typedText(this, searchText_, QStringLiteral("The search text"));
        if (!text)
            return;
        if (const auto found = findNext(playerModel_->bytes(), playerLines(), selectedRow(), *text)) {
            const QModelIndex index = playerModel_->index(static_cast<int>(*found));
            playerList_->setCurrentIndex(index);
            playerList_->scrollTo(index);
        }
    });
}

void PlayersAvailable::selectionChanged()
{
    gui::guarded(this, [&] {
        showDetails({}, {});
        const PlayerDetails details =
            playerDetails(session_.leagueFolder, selectedLine(), showStats_->isChecked(), session_.signingMode());
        showDetails(details.statistics, details.marketValue);
        if (const std::optional<std::size_t> row = selectedRow(); row && session_.signingMode())
            bestOffer_->setText(gui::toQt(bestOfferText(session_.leagueFolder, playerLines(), *row)));
    });
}

void PlayersAvailable::playerListDoubleClicked()
{
    gui::guarded(this, [&] {
        const std::optional<std::size_t> row = selectedRow();
        if (!row)
            return;
        const DoubleClick outcome =
            doubleClickPlayerList(offers_, playerLines(), *row, session_.signingMode());
        showOffers();
        if (outcome == DoubleClick::OpenContractDialog)
            contractDialog().open(playerBlock(playerLines(), *row));
        else if (outcome == DoubleClick::ContractRefused)
            gui::showMessage(this, gui::toQt(kContractNotInBlock));
    });
}

void PlayersAvailable::offerPicked(int row)
{
    gui::guarded(this, [&] {
        if (!gui::askYesNo(this, QStringLiteral("Do you want to remove this contract?"),
                           QStringLiteral("Delete contract")))
            return;
        removeEntry(offers_, static_cast<std::size_t>(row));
        showOffers();
    });
}

void PlayersAvailable::doneClicked()
{
    gui::guarded(this, [&] {
        // The signings are written and merged as one run of the program's wiring.
        if (session_.signingMode()) {
            emit signingDone(offers_);
            return;
        }
        if (saveOffers())
            endWithMessage();
    });
}

// Under the lock the file and fa.txt are read again: an earlier offer that a
// merge took while the window was open is not written back.
bool PlayersAvailable::saveOffers()
{
    return gui::guarded(this, [&] {
        gui::runShown(this, [&](Recovered& recovered) {
            saveTeamOffers(session_.leagueFolder, session_.currentTeam, offers_, shownEarlier_, recovered);
        });
    });
}

void PlayersAvailable::endWithMessage()
{
    gui::showMessage(this, gui::toQt(offerFileCreatedMessage(session_.currentTeam)));
    hide();
    gui::endProgram();
}

// Closing through the frame loses nothing unasked: team mode offers to write
// the offer list as Done does, signing mode to merge the signings. Team mode
// then ends the program, as Done does.
void PlayersAvailable::closeEvent(QCloseEvent* event)
{
    const bool signing = session_.signingMode();
    gui::Choice choice = gui::Choice::No;
    if (!offers_.entries.empty())
        choice = gui::askYesNoCancel(this, gui::toQt(closingQuestion(signing, session_.currentTeam)));
    if (choice == gui::Choice::Cancel) {
        event->ignore();
        return;
    }
    if (signing) {
        if (choice == gui::Choice::Yes) {
            emit signingDone(offers_); // the wiring merges them and hides this window
            if (isVisible()) {         // the merge failed: the signings stay
                event->ignore();
                return;
            }
        }
        offers_ = OfferList{};
        showOffers();
        event->accept();
        emit closed();
        return;
    }
    if (choice == gui::Choice::Yes && !saveOffers()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
    if (choice == gui::Choice::Yes)
        endWithMessage();
    else
        gui::endProgram();
}

void PlayersAvailable::showEarlierOffers()
{
    gui::guarded(this, [&] {
        const EarlierOffers earlier = readEarlierOffers(session_.leagueFolder, session_.currentTeam, playerLines());
        shownEarlier_ = earlier.shown;
        offers_.entries = earlier.shown;
        earlierOffers_->setText(gui::toQt(earlierOffersSummary(session_.currentTeam, earlier)));
        showOffers();
    });
}

void PlayersAvailable::offerMade(const std::string& teamOfferLine)
{
    offers_.entries.push_back(teamOfferLine);
    showOffers();
}

FilterBoxes PlayersAvailable::tickedFilters() const
{
    FilterBoxes ticked{};
    for (int box = 0; box < kFilterCount; ++box)
        ticked[box] = filters_[box]->isChecked();
    return ticked;
}

std::optional<std::size_t> PlayersAvailable::selectedRow() const
{
    const QModelIndexList selected = playerList_->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(selected.front().row());
}

std::string PlayersAvailable::selectedLine() const
{
    const std::optional<std::size_t> row = selectedRow();
    return row ? std::string(playerLines().at(*row)) : std::string();
}

const PlayerLines& PlayersAvailable::playerLines() const { return playerModel_->lines(); }

void PlayersAvailable::showOffers()
{
    offerList_->clear();
    for (const std::string& entry : offers_.entries)
        offerList_->addItem(shownLine(entry));
    if (session_.signingMode())
        prompt_->setText(gui::toQt(signingPrompt(offers_)));
    showOffersTotal();
}

void PlayersAvailable::showOffersTotal()
{
    if (!session_.signingMode())
        myOffersTotal_->setText(gui::toQt(myOffersTotal(standingOffers_, offers_.entries, session_.currentTeam)));
}

ContractDialog& PlayersAvailable::contractDialog()
{
    if (!contract_) {
        contract_ = new ContractDialog(session_, this);
        connect(contract_, &ContractDialog::entryMade, this, &PlayersAvailable::offerMade);
        connect(contract_, &ContractDialog::finished, this, [this] {
            raise();
            activateWindow();
        });
    }
    return *contract_;
}

} // namespace bidmark
