#pragma once
#include <QString>
#include <QWidget>

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
    explicit Form5(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFolder(const QString& path);
    void pickFile(const QString& name);
    void calculate();

    QLineEdit* text1_;
    QLineEdit* text2_;
    QLineEdit* text3_;
    QLineEdit* text4_;
    QGroupBox* frame1_;
    QComboBox* drive1_;
    QListWidget* dir1_;
    QListWidget* file1_;
    QLineEdit* currentBox_ = nullptr; // the box the picker fills
    QString folder_;                  // the picker's folder, absolute
};

} // namespace bidmark
