// Every caption of every window is shown whole: each label, button (all are
// CaptionButtons), check box, frame title and caption box is measured in its
// own font against the room its control has. ctest runs it again at a display
// scale of 2.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QtTest>
#include <optional>

#include "app/form1.h"
#include "commissioner/form4.h"
#include "commissioner/reportwindow.h"
#include "editor/form2.h"
#include "editor/form3.h"
#include "gui/captionbutton.h"
#include "gui/fonts.h"
#include "marketvalue/form5.h"
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
    if (auto* box = qobject_cast<QLineEdit*>(control); box && box->isReadOnly() && !box->hasFrame()) {
        QStyleOptionFrame option;
        option.initFrom(box);
        const int margin = 2; // a text box's own, on each side
        const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &option, box)
                               .marginsRemoved(box->textMargins())
                               .adjusted(margin, 0, -margin, 0);
        return caption(box->fontMetrics(), room, Qt::AlignLeft | Qt::AlignVCenter, box->text());
    }
    return std::nullopt;
}

QStringList cutCaptions(QWidget* window)
{
    QStringList cut;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const std::optional<Caption> shown = captionOf(control);
        if (shown && !shown->room.contains(shown->needed))
            cut << QStringLiteral("%1/%2 \"%3\" needs %4 x %5, has %6 x %7")
                       .arg(window->objectName(), control->objectName(), shown->text)
                       .arg(shown->needed.width()).arg(shown->needed.height())
                       .arg(shown->room.width()).arg(shown->room.height());
    }
    return cut;
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionIsShownWhole()
    {
        gui::useProgramFont();
        test::TempDir league;
        league.writeLines("teams.txt", {"TOR"});
        Session team{league.path(), "TOR"};
        Session commissioner{league.path(), "COMMISH"};
        Form1 form1(team);
        form1.show(); // its frame caption is revealed
        Form2 teamMode(team);
        Form2 signingMode(commissioner);
        signingMode.showMarketValue();
        Form3 form3(team);
        Form4 form4(commissioner);
        Form5 form5(commissioner);
        RunReport report(commissioner);
        report.showReport({});

        QStringList cut;
        for (QWidget* window : QList<QWidget*>{&form1, &teamMode, &signingMode, &form3, &form4, &form5, &report})
            cut << cutCaptions(window);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }
};

} // namespace bidmark

QTEST_MAIN(bidmark::CaptionsTest)
#include "captions_test.moc"
