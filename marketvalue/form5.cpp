#include "form5.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

#include "core/failure.h"
#include "core/gui/captionbutton.h"
#include "core/gui/widgets.h"
#include "core/leaguefiles.h"
#include "marketvalue/run.h"

namespace bidmark {

namespace {
template <class Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    gui::placeTwips(widget, left, top, width, height);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top,
              int width, int height)
{
    return place(new QLabel(QString::fromLatin1(caption), parent), name, left, top, width, height);
}

QLineEdit* textBox(QWidget* parent, const char* name, const char* start, int left, int top,
                   int width, int height)
{
    return place(new QLineEdit(QString::fromLatin1(start), parent), name, left, top, width, height);
}

// The box's text as Windows-1252 bytes; a character the league's files cannot
// hold is refused.
std::string boxText(const QLineEdit* box, const char* caption)
{
    const std::optional<std::string> bytes = gui::fromQt(box->text());
    if (!bytes)
        throw Failure(std::string("The ") + caption +
                      " box holds a character that Windows-1252 cannot store");
    return *bytes;
}
} // namespace

Form5::Form5(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Market Value Calculator"));
    gui::sizeTwips(this, 6450, 5610);

    frame1_ = place(new QGroupBox(QStringLiteral("File Selection"), this), "Frame1", 480, 120, 5175, 3255);
    drive1_ = place(new QComboBox(frame1_), "Drive1", 120, 240, 1575, 315);
    dir1_ = place(new QListWidget(frame1_), "Dir1", 120, 600, 2295, 2565);
    file1_ = place(new QListWidget(frame1_), "File1", 2400, 600, 2535, 2625);
    frame1_->hide();

    label(this, "Label1", "Select the Roster and Vitals Files by clicking each file", 480, 3360, 3975, 255);
    label(this, "Label3", "Vitals File", 480, 3720, 1095, 255);
    text2_ = textBox(this, "Text2", "", 1680, 3720, 2295, 285);
    label(this, "Label2", "Roster File", 480, 4080, 975, 255);
    text1_ = textBox(this, "Text1", "", 1680, 4080, 2295, 285);
    label(this, "Label4", "OutputFile", 480, 4440, 975, 255);
    text3_ = textBox(this, "Text3", kMarketValueFile.data(), 1680, 4440, 2295, 285);
    label(this, "Label5", "Inflation Rate", 480, 4800, 975, 255);
    text4_ = textBox(this, "Text4", "20", 1680, 4800, 275, 285);
    label(this, "Label6", "%", 2040, 4800, 135, 255);
    auto* command1 = place(new gui::CaptionButton(QStringLiteral("Calculate Market Value"), this), "Command1",
                           4200, 3960, 1455, 855);
    auto* command2 = place(new QPushButton(QStringLiteral("Done"), this), "Command2", 4800, 4920, 855, 375);

    const QList<QWidget*> focusOrder{text1_, text2_, text3_, command1, text4_, command2,
                                     frame1_, drive1_, dir1_, file1_};
    for (qsizetype index = 1; index < focusOrder.size(); ++index)
        setTabOrder(focusOrder[index - 1], focusOrder[index]);

    // The picker starts at the working directory, on the volume that holds it.
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            drive1_->addItem(volume.rootPath());
    }
    drive1_->setCurrentIndex(drive1_->findText(QStorageInfo(QDir::currentPath()).rootPath()));
    showFolder(QDir::currentPath());

    text1_->installEventFilter(this);
    text2_->installEventFilter(this);
    connect(drive1_, &QComboBox::textActivated, this, &Form5::showFolder);
    connect(dir1_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showFolder(QDir(folder_).filePath(item->text())); });
    connect(file1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { pickFile(item->text()); });
    connect(command1, &QPushButton::clicked, this, &Form5::calculate);
    connect(command2, &QPushButton::clicked, this, &QWidget::hide);
}

bool Form5::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == text1_ || watched == text2_)) {
        currentBox_ = static_cast<QLineEdit*>(watched);
        frame1_->show();
    }
    return QWidget::eventFilter(watched, event);
}

void Form5::showFolder(const QString& path)
{
    folder_ = QDir::cleanPath(QDir(path).absolutePath());
    const QDir folder(folder_);
    dir1_->clear();
    if (!folder.isRoot())
        dir1_->addItem(QStringLiteral(".."));
    dir1_->addItems(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    file1_->clear();
    file1_->addItems(folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

// The run opens names relative to the working directory, so a file of another
// folder is written with the way to it.
void Form5::pickFile(const QString& name)
{
    if (currentBox_)
        currentBox_->setText(QDir::current().relativeFilePath(QDir(folder_).filePath(name)));
    frame1_->hide();
}

void Form5::calculate()
{
    std::string message;
    const bool finished = gui::guarded(this, [&] {
        const std::string roster = boxText(text1_, "Roster File");
        const std::string vitals = boxText(text2_, "Vitals File");
        const std::string output = boxText(text3_, "OutputFile");
        const std::string rate = boxText(text4_, "Inflation Rate");
        gui::BusyCursor busy;
        message = runMarketValue(".", roster, vitals, output, rate);
    });
    if (finished)
        gui::showMessage(this, gui::toQt(message));
}

} // namespace bidmark
