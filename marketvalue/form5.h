#pragma once
#include <memory>
#include <QString>
#include <QWidget>

#include "gui/session.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bidmark {

class MarketValuesWindow;
struct MarketValues;

// The Market Value Calculator: names the two simulator pages, the output file
// and the inflation rate, and starts the market value run. A hidden file
// picker fills the roster or vitals box with a click. A finished run opens
// the Market Values window, and Show Values opens it again on the last run.
class Form5 : public QWidget {
    Q_OBJECT
public:
    explicit Form5(const Session& session, QWidget* parent = nullptr);
    ~Form5() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFolder(const QString& path);
    void pickFile(const QString& name);
    void calculate();
    void showValues();

    const Session& session_;
    QLineEdit* rosterBox_;
    QLineEdit* vitalsBox_;
    QLineEdit* outputBox_;
    QLineEdit* rateBox_;
    QGroupBox* picker_;
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
