#pragma once
#include <memory>
#include <optional>
#include <string>
#include <QObject>

#include "app/form1.h"
#include "commissioner/merge_report.h"
#include "gui/session.h"

class QWidget;

namespace bidmark {

struct OfferList;
class Form1;
class Form2;
class Form4;
class Form5;
class RunReport;

// The program: the session and every window, each created on first use, and
// the one place where the windows' requests are connected to each other and
// to the logic.
class Windows : public QObject {
    Q_OBJECT
public:
    explicit Windows(std::string leagueFolder, StartOptions options = {});
    ~Windows() override;

    void start(); // shows the main window
    Form1& form1() { return *form1_; }

protected:
    // Every window's closing: the program ends once none is left open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endWhenNoWindowIsLeft();
    void openTeam(const std::string& team);
    void openCommissionerMenu();
    void showCalculator();
    void signPlayers();
    std::optional<MergeReport> settleLeftoverSignings();
    void mergeSignedPlayers(const OfferList& signings);
    void showReport(QWidget* over, const MergeReport& report);
    void choosePlayerToSign(const std::string& nameKey);

    Form2& form2();
    Form4& form4();
    Form5& form5();
    RunReport& runReport();

    Session session_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form4> form4_;
    std::unique_ptr<Form5> form5_;
    std::unique_ptr<RunReport> runReport_;
};

} // namespace bidmark
