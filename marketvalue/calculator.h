#pragma once
#include <memory>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "gui/session.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bidmark {

// The drive list's entries: first the league folder's volume (leagueVolume,
// or the file system's root when that cannot be named), then the other
// mounted volumes' roots. The list is never empty, even where no volume is
// listed as mounted (build roots, sandboxes).
QStringList driveEntries(const QStringList& mountedRoots, const QString& leagueVolume);

class MarketValuesWindow;
struct MarketValues;

// The Market Value Calculator: names the two simulator pages, the output file
// and the inflation rate, and starts the market value run. A hidden file
// picker fills the roster or vitals box with a click. A finished run opens
// the Market Values window, and Show Values opens it again on the last run.
class MarketValueCalculator : public QWidget {
    Q_OBJECT
public:
    explicit MarketValueCalculator(const Session& session, QWidget* parent = nullptr);
    ~MarketValueCalculator() override;

signals:
    // A double-click on a free agent in the Market Values window.
    void playerChosen(const std::string& nameKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFolder(const QString& path);
    void pickFile(const QString& name);
    void markBoxFile(); // the current box's file marked in the list, when it shows it
    void pickSelectedFile();
    void calculate();
    void showValues();

    const Session& session_;
    QLineEdit* rosterBox_;
    QLineEdit* vitalsBox_;
    QLineEdit* outputBox_;
    QLineEdit* rateBox_;
    QGroupBox* picker_;
    QLabel* folderPath_; // the folder the picker shows
    QComboBox* drives_;
    QListWidget* folders_;
    QListWidget* files_;
    QLineEdit* currentBox_ = nullptr; // the box the picker fills
    QString folder_;                  // the picker's folder, absolute
    QPushButton* showValues_;
    std::shared_ptr<const MarketValues> lastRun_;
    std::unique_ptr<MarketValuesWindow> valuesWindow_;
};

} // namespace bidmark
