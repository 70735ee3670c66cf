// Every text of every window is shown whole: each label, button (all are
// CaptionButtons), check box, frame title and text box is measured in its own
// font against the part of its control the window shows, and so is each list
// entry, which may instead be reached by scrolling the list sideways. No
// caption lies under another control. The windows hold the sample league's
// texts: a player's statistics and market value lines, long offers and
// signings, the calculator's file picker. ctest runs it at a display scale of
// 1, of 2, and with only the fallback font (Liberation hidden).
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QtTest>
#include <algorithm>
#include <optional>

#include "app/mainwindow.h"
#include "commissioner/commissionersmenu.h"
#include "commissioner/runreport.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "editor/playersavailable.h"
#include "editor/contractdialog.h"
#include "gui/captionbutton.h"
#include "gui/fonts.h"
#include "marketvalue/calculator.h"
#include "marketvalue/valuerun.h"
#include "tests/support/tempdir.h"

namespace bidmark {

namespace {

struct Caption {
    QString text;
    QRect needed; // where its text goes
    QRect room;   // where the control shows text
};

Caption caption(const QFontMetrics& metrics, const QRect& room, int flags, const QString& text)
{
    return {text, metrics.boundingRect(room, flags, text), room};
}

std::optional<Caption> captionOf(QWidget* control)
{
    QStyle* style = control->style();
    if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
        const int margin = label->margin();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        return caption(label->fontMetrics(), label->contentsRect().adjusted(margin, margin, -margin, -margin),
                       flags, label->text());
    }
    if (auto* button = dynamic_cast<gui::CaptionButton*>(control)) {
        return caption(QFontMetrics(button->captionFont(), button), button->captionRoom(),
                       Qt::AlignCenter | Qt::TextWordWrap, button->text());
    }
    if (auto* box = qobject_cast<QCheckBox*>(control); box && !box->text().isEmpty()) {
        // The text stands right of the box and the spacing after it.
        const int start = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box)
                          + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        return caption(box->fontMetrics(), box->rect().adjusted(start, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       box->text());
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = frame->alignment();
        return Caption{frame->title(),
                       style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame),
                       frame->rect()};
    }
    if (auto* box = qobject_cast<QLineEdit*>(control); box && !box->text().isEmpty()) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
        const int margin = 2; // a text box's own, on each side
        const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &option, box)
                               .marginsRemoved(box->textMargins())
                               .adjusted(margin, 0, -margin, 0);
        return caption(box->fontMetrics(), room, Qt::AlignLeft | Qt::AlignVCenter, box->text());
    }
    return std::nullopt;
}

// The part of the control that its window shows: what sticks out of a parent
// is cut off.
QRect shownPart(QWidget* control)
{
    QRect part = control->rect();
    QPoint offset;
    for (QWidget* widget = control; !widget->isWindow(); widget = widget->parentWidget()) {
        offset += widget->pos();
        part &= widget->parentWidget()->rect().translated(-offset);
    }
    return part;
}

// What a control paints over the controls made before it: a label its text,
// any other control its whole place.
QRect paintedArea(QWidget* control)
{
    auto* label = qobject_cast<QLabel*>(control);
    if (label && label->pixmap().isNull() && !label->autoFillBackground()) {
        const std::optional<Caption> shown = captionOf(label);
        return shown ? shown->needed.translated(label->pos()) : QRect();
    }
    return control->geometry();
}

// The visible control made after this one, so drawn over it, that covers part
// of its text (in its own coordinates); nullptr when none does.
QWidget* coveringSibling(QWidget* control, const QRect& text)
{
    const QObjectList siblings = control->parentWidget()->children();
    for (qsizetype index = siblings.indexOf(control) + 1; index < siblings.size(); ++index) {
        auto* sibling = qobject_cast<QWidget*>(siblings[index]);
        if (sibling && !sibling->isWindow() && sibling->isVisibleTo(control->window())
            && paintedArea(sibling).intersects(text.translated(control->pos())))
            return sibling;
    }
    return nullptr;
}

QString describe(QWidget* control, const QString& text)
{
    return QStringLiteral("%1/%2 \"%3\"").arg(control->window()->objectName(), control->objectName(), text);
}

// Entries wider than the list can show even when scrolled sideways.
QStringList cutEntries(QListView* list)
{
    QStringList cut;
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int scroll = list->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
        ? 0 : list->horizontalScrollBar()->maximum();
    const int reach = std::min(list->viewport()->width(), shownPart(list).width()) + scroll;
    const QFontMetrics metrics(list->font(), list);
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QString text = list->model()->index(row, 0).data().toString();
        const int needed = metrics.horizontalAdvance(text) + margin;
        if (needed > reach)
            cut << QStringLiteral("%1 needs %2, can show %3").arg(describe(list, text)).arg(needed).arg(reach);
    }
    return cut;
}

QStringList cutTexts(QWidget* window)
{
    QStringList cut;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window))
            continue;
        if (control->isWindow())
            continue;
        if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_"))
            && shownPart(control) != control->rect())
            cut << QStringLiteral("%1/%2 runs past the edge of %3")
                       .arg(window->objectName(), control->objectName(), control->parentWidget()->objectName());
        if (auto* list = qobject_cast<QListView*>(control))
            cut << cutEntries(list);
        const std::optional<Caption> shown = captionOf(control);
        if (!shown)
            continue;
        const QRect room = shown->room & shownPart(control);
        if (!room.contains(shown->needed))
            cut << QStringLiteral("%1 needs %2 x %3, has %4 x %5")
                       .arg(describe(control, shown->text))
                       .arg(shown->needed.width()).arg(shown->needed.height())
                       .arg(room.width()).arg(room.height());
        else if (QWidget* sibling = coveringSibling(control, shown->needed))
            cut << QStringLiteral("%1 lies under %2").arg(describe(control, shown->text), sibling->objectName());
    }
    return cut;
}

// The row of the list whose entry starts with the text.
QModelIndex rowStarting(QListView* list, const QString& start)
{
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, start, 1, Qt::MatchStartsWith);
    if (found.isEmpty())
        qFatal("no entry %s", qPrintable(start));
    return found.front();
}

void doubleClick(QListView* list, const QModelIndex& row)
{
    list->setCurrentIndex(row);
    emit list->doubleClicked(row);
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextIsShownWhole()
    {
        gui::useProgramFont();
        test::TempDir league;
        for (const char* file : {"fa.txt", "teams.txt", "NY.txt", "VELDTeamScoring.html", "roster.html", "vitals.html"})
            league.write(file, readFile(pathIn(Path(BIDMARK_SAMPLE_LEAGUE), file)));
        runMarketValue(league.path(), "roster.html", "vitals.html", std::string(kMarketValueFile), "20");
        // An offer line below the first lines and longer than the list is wide.
        std::vector<std::string> players = readLines(league.file("fa.txt"));
        players.insert(players.begin() + 2, "<NY> 1.5/3 " + std::string(120, 'x'));
        Session team{league.path(), "TOR"};
        Session commissioner{league.path(), "COMMISH"};
        MainWindow mainWindow(team);
        mainWindow.show(); // its frame caption is revealed

        // A team's offer with the longest comment, and the player's details.
        PlayersAvailable teamMode(team);
        teamMode.setPlayerLines(joinLines(players));
        auto* teamList = teamMode.findChild<QListView*>(QStringLiteral("List1"));
        doubleClick(teamList, rowStarting(teamList, QStringLiteral("Cale Pellridge ")));
        auto* contract = teamMode.findChild<QWidget*>(QStringLiteral("Form3"));
        contract->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("1.5"));
        contract->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("3"));
        auto* comment = contract->findChild<QLineEdit*>(QStringLiteral("Text4"));
        comment->setText(QString(comment->maxLength(), QLatin1Char('m')));
        contract->findChild<QPushButton*>(QStringLiteral("Command1"))->click();

        // A signing to an offer with a long comment; the player's details
        // with his market value.
        PlayersAvailable signingMode(commissioner);
        signingMode.setPlayerLines(joinLines(players));
        signingMode.showMarketValue();
        auto* signingList = signingMode.findChild<QListView*>(QStringLiteral("List1"));
        const QModelIndex signedPlayer = rowStarting(signingList, QStringLiteral("Urho Morvanen "));
        doubleClick(signingList, signedPlayer);
        doubleClick(signingList, signedPlayer.siblingAtRow(signedPlayer.row() + 2));
        signingList->setCurrentIndex(rowStarting(signingList, QStringLiteral("Cale Pellridge ")));

        ContractDialog contractDialog(team);
        CommissionersMenu commissionersMenu(commissioner);
        MarketValueCalculator calculator(commissioner);
        QTest::mouseClick(calculator.findChild<QWidget*>(QStringLiteral("Text1")), Qt::LeftButton); // the picker
        RunReport report(commissioner);
        report.showReport({});

        QStringList cut;
        for (QWidget* window : QList<QWidget*>{&mainWindow, &teamMode, &signingMode, &contractDialog, &commissionersMenu, &calculator, &report}) {
            window->show();
            QTest::qWait(50); // the lists lay out their entries
            cut << cutTexts(window);
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }
};

} // namespace bidmark

QTEST_MAIN(bidmark::CaptionsTest)
#include "captions_test.moc"
