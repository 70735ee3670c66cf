#pragma once
#include <array>
#include <QChartView>

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

private:
    std::array<QLineSeries*, 3> groups_; // F, D, G
    QScatterSeries* marked_;
    QValueAxis* overallAxis_;
    QValueAxis* valueAxis_;
};

} // namespace bidmark
