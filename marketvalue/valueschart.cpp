#include "marketvalue/valueschart.h"

#include <algorithm>
#include <cmath>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <utility>
#include <vector>

#include "gui/text.h"
#include "marketvalue/valuetable.h"

namespace bidmark {

namespace {
struct Group {
    char letter;
    const char* name;
    QColor colour;
};
const Group kGroups[] = {
    {'F', "Forwards (F)", QColor(0x1f, 0x77, 0xb4)},
    {'D', "Defence (D)", QColor(0xff, 0x7f, 0x0e)},
    {'G', "Goalies (G)", QColor(0x2c, 0xa0, 0x2c)},
};
constexpr int kPointSize = 7;

// A filled circle, the image each point of a group is drawn with.
QImage dot(const QColor& colour)
{
    QImage image(kPointSize, kPointSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(0, 0, kPointSize, kPointSize));
    return image;
}

QValueAxis* axis(QChart* chart, const QString& title, Qt::Alignment side)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(axis, side);
    return axis;
}
} // namespace

// The view owns a chart given to its constructor; one given later to
// setChart() would leave the view's first chart behind.
ValuesChart::ValuesChart(QWidget* parent) : QChartView(new QChart, parent)
{
    QChart* chart = this->chart();
    chart->setTitle(QStringLiteral("Market value against overall"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    setRenderHint(QPainter::Antialiasing);
    overallAxis_ = axis(chart, QStringLiteral("Overall"), Qt::AlignBottom);
    overallAxis_->setLabelFormat(QStringLiteral("%d"));
    valueAxis_ = axis(chart, QStringLiteral("Market value (millions)"), Qt::AlignLeft);

    for (std::size_t slot = 0; slot < groups_.size(); ++slot) {
        // A line series without its line: its points are one image each.
        auto* series = new QLineSeries;
        series->setName(QString::fromLatin1(kGroups[slot].name));
        QPen pen(kGroups[slot].colour, 1);
        pen.setStyle(Qt::NoPen);
        series->setPen(pen);
        series->setLightMarker(dot(kGroups[slot].colour));
        series->setMarkerSize(kPointSize);
        groups_[slot] = series;
    }
    marked_ = new QScatterSeries;
    marked_->setMarkerSize(15);
    marked_->setColor(Qt::red);
    marked_->setBorderColor(Qt::black);
    for (QXYSeries* series : {static_cast<QXYSeries*>(groups_[0]), static_cast<QXYSeries*>(groups_[1]),
                              static_cast<QXYSeries*>(groups_[2]), static_cast<QXYSeries*>(marked_)}) {
        chart->addSeries(series);
        series->attachAxis(overallAxis_);
        series->attachAxis(valueAxis_);
    }
}

void ValuesChart::setValues(const MarketValues& values)
{
    // The free agents of one bracket valued at its average share one point,
    // and so do those held to the rookie cap: only the first of each is
    // plotted, and less than half the rows are sorted below.
    std::array<QList<QPointF>, 3> points;
    std::vector<std::array<bool, 2>> plotted(values.brackets.size()); // average, cap
    double lowest = 0, highest = 0, top = 0;
    for (const ValueRow& row : values.rows) {
        const FreeAgent& agent = row.agent;
        lowest = &row == &values.rows.front() ? agent.overall : std::min(lowest, agent.overall);
        highest = std::max(highest, agent.overall);
        top = std::max(top, row.valuation.value);
        if (row.valuation.rule != ValueRule::LastSalaryTimesFactor) {
            bool& shared = plotted[row.bracket][row.valuation.rule == ValueRule::RookieCap ? 1 : 0];
            if (shared)
                continue;
            shared = true;
        }
        const std::size_t slot = agent.group == 'D' ? 1 : agent.group == 'G' ? 2 : 0;
        points[slot].append(QPointF(agent.overall, row.valuation.value));
    }
    // The axes first, on empty series: each change of an axis lays out every
    // point of its series again.
    for (QLineSeries* series : groups_)
        series->clear();
    mark(nullptr);
    const double first = std::floor(lowest / 5) * 5, last = std::max(std::ceil(highest / 5) * 5, first + 5);
    overallAxis_->setRange(first, last);
    overallAxis_->setTickCount(static_cast<int>((last - first) / 5) + 1); // every 5 points
    valueAxis_->setRange(0, top > 0 ? top * 1.05 : 1);
    valueAxis_->applyNiceNumbers();
    // The series lays out the (unseen) line through its points: in order of
    // overall and value, without repeats, that line is short and quick.
    for (std::size_t slot = 0; slot < groups_.size(); ++slot) {
        QList<QPointF>& group = points[slot];
        std::sort(group.begin(), group.end(), [](const QPointF& a, const QPointF& b) {
            return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
        });
        group.erase(std::unique(group.begin(), group.end()), group.end());
        if (isVisible())
            groups_[slot]->replace(group);
    }
    waiting_ = isVisible() ? std::array<QList<QPointF>, 3>() : std::move(points);
}

// Points set while the chart was hidden go in once it has its size: they are
// laid out once, not for the size it had and again for the size it got.
void ValuesChart::showEvent(QShowEvent* event)
{
    QChartView::showEvent(event);
    for (std::size_t slot = 0; slot < groups_.size(); ++slot) {
        if (!waiting_[slot].isEmpty())
            groups_[slot]->replace(std::exchange(waiting_[slot], {}));
    }
}

void ValuesChart::showGroup(char group)
{
    for (std::size_t slot = 0; slot < groups_.size(); ++slot)
        groups_[slot]->setVisible(group == 0 || group == kGroups[slot].letter);
}

void ValuesChart::mark(const ValueRow* row)
{
    if (!row) {
        marked_->clear();
        marked_->setName(QStringLiteral("Selected"));
        return;
    }
    marked_->replace({QPointF(row->agent.overall, row->valuation.value)});
    marked_->setName(gui::toQt(displayName(row->agent.name)));
}

} // namespace bidmark
