#include "marketvalue/calculator.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <utility>

#include "core/filenames.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "gui/captionbutton.h"
#include "gui/captionfit.h"
#include "gui/controls.h"
#include "gui/leaguerun.h"
#include "gui/messages.h"
#include "gui/paths.h"
#include "gui/placement.h"
#include "gui/text.h"
#include "marketvalue/valuerun.h"
#include "marketvalue/valueswindow.h"

namespace bidmark {

namespace {
constexpr gui::Control kLabels[] = {
    {"Label1", "Select the Roster and Vitals Files by clicking each file", {480, 3360, 3975, 255}},
    {"Label3", "Vitals File", {480, 3720, 1095, 255}},
    {"Label2", "Roster File", {480, 4080, 975, 255}},
    {"Label4", "OutputFile", {480, 4440, 975, 255}},
    {"Label5", "Inflation Rate", {480, 4800, 975, 255}},
    {"Label6", "%", {2040, 4800, 135, 255}},
};

QLineEdit* textBox(QWidget* parent, const char* name, gui::Twips at, std::string_view start = {})
{
    return gui::named<QLineEdit>(parent, name, at, gui::toQt(start));
}

QStringList mountedVolumeRoots()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots << volume.rootPath();
    }
    return roots;
}
} // namespace

QStringList driveEntries(const QStringList& mountedRoots, const QString& leagueVolume)
{
    QStringList entries{leagueVolume.isEmpty() ? QDir::rootPath() : leagueVolume};
    for (const QString& root : mountedRoots) {
        if (!entries.contains(root))
            entries << root;
    }
    return entries;
}

MarketValueCalculator::MarketValueCalculator(const Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Market Value Calculator"));
    gui::sizeTwips(this, 6450, 5610);

    picker_ = gui::named<QGroupBox>(this, "Frame1", {480, 120, 5175, 3255}, QStringLiteral("File Selection"));
    drives_ = gui::named<QComboBox>(picker_, "Drive1", {120, 240, 1575, 315});
    folders_ = gui::named<QListWidget>(picker_, "Dir1", {120, 600, 2295, 2565});
    files_ = gui::named<QListWidget>(picker_, "File1", {2400, 600, 2535, 2625});
    folderPath_ = gui::named<QLabel>(picker_, "folderPath", {1800, 240, 3255, 315});
    picker_->hide();
    // What a screen reader hears of the picker: a hidden label names the drive
    // list (a combo box is heard by its label), the two lists say what they hold.
    auto* driveLabel = new QLabel(QStringLiteral("Drive"), picker_);
    driveLabel->setObjectName(QStringLiteral("driveLabel"));
    driveLabel->hide();
    driveLabel->setBuddy(drives_);
    folders_->setAccessibleName(QStringLiteral("Folders"));
    files_->setAccessibleName(QStringLiteral("Files"));

    for (const gui::Control& label : kLabels)
        gui::named<QLabel>(this, label);
    vitalsBox_ = textBox(this, "Text2", {1680, 3720, 2295, 285});
    rosterBox_ = textBox(this, "Text1", {1680, 4080, 2295, 285});
    outputBox_ = textBox(this, "Text3", {1680, 4440, 2295, 285}, kMarketValueFile);
    rateBox_ = textBox(this, "Text4", {1680, 4800, 330, 285}, "20"); // wide enough for two digits
    // A screen reader hears each box by the label to its left.
    const std::pair<const char*, QLineEdit*> labelled[] = {
        {"Label2", rosterBox_}, {"Label3", vitalsBox_}, {"Label4", outputBox_}, {"Label5", rateBox_}};
    for (const auto& [label, box] : labelled)
        findChild<QLabel*>(QString::fromLatin1(label))->setBuddy(box);
    auto* calculate = gui::named<gui::CaptionButton>(this, "Command1", {4200, 3960, 1455, 855},
                                                     QStringLiteral("Calculate Market Value"));
    auto* done = gui::named<gui::CaptionButton>(this, "Command2", {4800, 4920, 855, 375}, QStringLiteral("Done"));
    showValues_ = gui::named<gui::CaptionButton>(this, "showValues", {3240, 4920, 1455, 375},
                                                 QStringLiteral("Show Values"));
    showValues_->setEnabled(false); // until a run has finished

    const QList<QWidget*> focusOrder{rosterBox_, vitalsBox_, outputBox_, calculate, rateBox_, done,
                                     showValues_, picker_,   drives_,    folders_,   files_};
    for (qsizetype index = 1; index < focusOrder.size(); ++index)
        setTabOrder(focusOrder[index - 1], focusOrder[index]);

    // The picker starts at the league folder, on the volume that holds it.
    const QString league = QDir(gui::toQt(session_.leagueFolder)).absolutePath();
    drives_->addItems(driveEntries(mountedVolumeRoots(), QStorageInfo(league).rootPath()));
    drives_->setCurrentIndex(0);
    showFolder(league);

    rosterBox_->installEventFilter(this);
    vitalsBox_->installEventFilter(this);
    connect(drives_, &QComboBox::textActivated, this, &MarketValueCalculator::showFolder);
    connect(folders_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showFolder(QDir(folder_).filePath(item->text())); });
    // A file is picked by a click, and from the keyboard as a click picks it:
    // by moving the selection (arrow keys, Home/End, a typed letter) or by
    // Enter. Filling the list selects nothing, so only the user picks.
    const auto pickItem = [this](QListWidgetItem* item) { pickFile(item->text()); };
    connect(files_, &QListWidget::itemClicked, this, pickItem);
    connect(files_, &QListWidget::itemActivated, this, pickItem);
    connect(files_, &QListWidget::itemSelectionChanged, this, &MarketValueCalculator::pickSelectedFile);
    connect(calculate, &QPushButton::clicked, this, &MarketValueCalculator::calculate);
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    connect(showValues_, &QPushButton::clicked, this, &MarketValueCalculator::showValues);
    gui::fitCaptions(this);
}

MarketValueCalculator::~MarketValueCalculator() = default;

// A click in the roster or vitals box opens the picker for it; so do F4 and
// Alt+Down, which also take the keyboard to the file list.
bool MarketValueCalculator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != rosterBox_ && watched != vitalsBox_)
        return QWidget::eventFilter(watched, event);
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool keyed = key
        && (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier));
    if (event->type() == QEvent::MouseButtonPress || keyed) {
        currentBox_ = static_cast<QLineEdit*>(watched);
        markBoxFile();
        picker_->show();
        if (keyed)
            files_->setFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void MarketValueCalculator::showFolder(const QString& path)
{
    folder_ = QDir::cleanPath(QDir(path).absolutePath());
    const QDir folder(folder_);
    // A long path keeps its start and its end, the folder's own name.
    const QString shown = QDir::toNativeSeparators(folder_);
    folderPath_->setText(folderPath_->fontMetrics().elidedText(shown, Qt::ElideMiddle, folderPath_->width()));
    folderPath_->setToolTip(shown);
    folderPath_->setAccessibleName(shown);
    folders_->clear();
    if (!folder.isRoot())
        folders_->addItem(QStringLiteral(".."));
    folders_->addItems(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    // A name is shown as the league's text (a page unpacked with raw
    // Windows-1252 bytes in its name reads right, and the run finds it by
    // that text); a name that text cannot hold as the file system spells it.
    QStringList files;
    for (const std::string& name : pickableFiles(gui::pathFromQt(folder_))) {
        const std::optional<std::string> text = leagueTextOfName(name);
        files << (text ? gui::toQt(*text) : gui::toQt(Path(name)));
    }
    files.sort(Qt::CaseInsensitive);
    files_->clear();
    files_->addItems(files);
}

// The run opens names relative to the league folder, so a file of another
// folder is written with the way to it.
void MarketValueCalculator::pickFile(const QString& name)
{
    if (currentBox_) {
        const QDir league(gui::toQt(session_.leagueFolder));
        currentBox_->setText(league.relativeFilePath(QDir(folder_).filePath(name)));
    }
    picker_->hide();
}

// Marking picks nothing: only the user picks.
void MarketValueCalculator::markBoxFile()
{
    const QSignalBlocker quiet(files_);
    files_->clearSelection(); // the keys still move on from the file picked last
    const QFileInfo file(QDir(gui::toQt(session_.leagueFolder)), currentBox_->text());
    if (currentBox_->text().isEmpty() || QDir(file.absolutePath()) != QDir(folder_))
        return;
    const QList<QListWidgetItem*> found = files_->findItems(file.fileName(), Qt::MatchExactly);
    if (!found.isEmpty())
        files_->setCurrentItem(found.front());
}

void MarketValueCalculator::pickSelectedFile()
{
    const QList<QListWidgetItem*> selected = files_->selectedItems();
    if (!selected.isEmpty())
        pickFile(selected.front()->text());
}

void MarketValueCalculator::calculate()
{
    struct Box {
        const QLineEdit* edit;
        const char* what;
    };
    const Box boxes[] = {{rosterBox_, "The Roster File box"},
                         {vitalsBox_, "The Vitals File box"},
                         {outputBox_, "The OutputFile box"},
                         {rateBox_, "The Inflation Rate box"}};
    std::string texts[std::size(boxes)];
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        std::optional<std::string> text = gui::typedText(this, boxes[i].edit, QString::fromLatin1(boxes[i].what));
        if (!text)
            return;
        texts[i] = std::move(*text);
    }
    MarketValueRun run;
    const bool finished = gui::guarded(this, [&] {
        gui::runShown(this, [&](Recovered& recovered) {
            gui::BusyCursor busy;
            run = calculateMarketValue(session_.leagueFolder, texts[0], texts[1], texts[2], texts[3], recovered);
        });
    });
    if (!finished)
        return;
    gui::showMessage(this, gui::toQt(run.message));
    if (run.values) {
        lastRun_ = std::move(run.values);
        showValues_->setEnabled(true);
        showValues();
    }
}

// The Market Values window on the last finished run, made on first use and
// filled again only after a new run.
void MarketValueCalculator::showValues()
{
    if (!valuesWindow_) {
        valuesWindow_ = std::make_unique<MarketValuesWindow>(session_.leagueFolder);
        connect(valuesWindow_.get(), &MarketValuesWindow::playerChosen, this, &MarketValueCalculator::playerChosen);
    }
    if (valuesWindow_->values() != lastRun_) {
        gui::BusyCursor busy;
        valuesWindow_->setValues(lastRun_);
    }
    gui::showFrom(valuesWindow_.get(), this, gui::Place::Beside);
    valuesWindow_->activateWindow();
}

} // namespace bidmark
