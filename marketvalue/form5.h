#pragma once
#include <QString>
#include <QWidget>

#include "gui/session.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;

namespace bidmark {

// The Market Value Calculator: names the two simulator pages, the output file
// and the inflation rate, and starts the market value run. A hidden file
// picker fills the roster or vitals box with a click.
class Form5 : public QWidget {
    Q_OBJECT
public:
    explicit Form5(const Session& session, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFolder(const QString& path);
    void pickFile(const QString& name);
    void calculate();

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
};

} // namespace bidmark
