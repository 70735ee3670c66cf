#pragma once
#include <array>
#include <QChartView>
#include <QList>
#include <QPointF>

#include "marketvalue/values.h"

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace bidmark {

// Market value against overall, one colour per position group, the selected
// free agent marked. The points are drawn as images by one item per group,
// which keeps tens of thousands of them quick.
class ValuesChart : public QChartView {
    Q_OBJECT
public:
    explicit ValuesChart(QWidget* parent = nullptr);

    void setValues(const MarketValues& values);
    void showGroup(char group); // 0: every group
    void mark(const ValueRow* row); // nullptr: none

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineSeries*, 3> groups_; // F, D, G
    std::array<QList<QPointF>, 3> waiting_; // their points, set while the chart was hidden
    QScatterSeries* marked_;
    QValueAxis* overallAxis_;
    QValueAxis* valueAxis_;
};

} // namespace bidmark
