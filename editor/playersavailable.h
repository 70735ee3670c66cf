#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <QWidget>

#include "editor/listbuilder.h"
#include "editor/myoffers.h"
#include "editor/offerlist.h"
#include "editor/playerlistmodel.h"
#include "gui/session.h"

class QCheckBox;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;

namespace bidmark {

class ContractDialog;
class OfferListWidget;

// The Players Available window: the free-agent list with its filters, search
// and player details, and the offer list that Done saves. With the current
// team "COMMISH" it is the commissioner's signing window.
class PlayersAvailable : public QWidget {
    Q_OBJECT
public:
    explicit PlayersAvailable(Session& session, QWidget* parent = nullptr); // the load step runs here
    void setPlayerLines(std::string faText); // the player list: every line of this fa.txt
    void clearLists();      // both lists emptied, the pairing started over
    void showMarketValue(); // the market value header and line, and the best offer line, become visible
    bool selectPlayer(const std::string& nameKey); // false: no such player in the list
    // Team mode, once the player list holds all of fa.txt: the offer list
    // starts with the lines of the team's offer file not merged yet.
    void showEarlierOffers();

signals:
    // Done in signing mode: the signings to write as COMMISH.txt and merge.
    void signingDone(const bidmark::OfferList& signings);
    // Closed through its frame (after the question about its entries).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();

    // Handlers.
    void filterClicked();
    void searchClicked();
    void selectionChanged();
    void playerListDoubleClicked();
    void offerPicked(int row);
    void doneClicked();
    bool saveOffers();  // team mode: the offer list written; false after a failure
    void endWithMessage(); // team mode: "... created, Mail it now!" and the program ends
    void offerMade(const std::string& teamOfferLine);

    // Nothing selected or detailed afterwards; the lines are views into the file.
    void replacePlayerLines(std::shared_ptr<const std::string> file, std::shared_ptr<const PlayerLines> lines);
    void showFreeAgents(std::string faText); // the list built with the boxes ticked
    // fa.txt's bytes as last read, its lines and the team's standing offers
    // taken from them; false when the bytes are those read last time.
    bool takeFreeAgents(std::string faText);
    void showDetails(const std::string& statistics, const std::string& marketValue);
    FilterBoxes tickedFilters() const;
    std::optional<std::size_t> selectedRow() const;
    std::string selectedLine() const; // empty when no line is selected
    const PlayerLines& playerLines() const;
    void showOffers();                // the offer list and, in signing mode, the prompt
    void showOffersTotal();           // team mode: what the standing offers and the list commit
    ContractDialog& contractDialog();          // created on first use

    Session& session_;
    OfferList offers_;
    std::vector<std::string> shownEarlier_;   // the earlier offers the list opened with
    std::shared_ptr<const std::string> faFile_; // fa.txt when last read
    std::shared_ptr<const PlayerLines> faLines_; // its lines, shown as they are when no box is cleared
    std::optional<LineKinds> faKinds_;           // what the boxes ask of them, found as they come to ask
    StandingOffers standingOffers_;             // the team's offers among them
    ContractDialog* contract_ = nullptr;

    QCheckBox* filters_[kFilterCount] = {};
    QCheckBox* showStats_ = nullptr;
    QCheckBox* myOffers_ = nullptr;
    QPushButton* search_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLineEdit* statistics_ = nullptr;
    QLabel* marketValueHeader_ = nullptr;
    QLineEdit* marketValue_ = nullptr;
    QLabel* bestOffer_ = nullptr;
    QLineEdit* offersCaption_ = nullptr;
    QListView* playerList_ = nullptr;
    PlayerListModel* playerModel_ = nullptr;
    OfferListWidget* offerList_ = nullptr;
    QLabel* earlierOffers_ = nullptr;
    QLabel* myOffersTotal_ = nullptr;
    QPushButton* done_ = nullptr;
};

} // namespace bidmark
