#include "gui/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>

namespace bidmark::gui {

namespace {

// The captions' room was measured with Liberation Sans. A wider font that
// stands in for it (DejaVu Sans where Liberation is missing) is drawn as much
// smaller as it is wider, so that every caption keeps its room rather than
// each shrinking on its own.
const QString kSample = QStringLiteral("Filters: Display these types of players");
constexpr double kLiberationSampleEms = 16.56; // the sample's width in Liberation Sans
double sansScale = 1.0;

double widthInEms(QFont font)
{
    font.setPixelSize(1000);
    return QFontMetricsF(font).horizontalAdvance(kSample) / 1000.0;
}

} // namespace

void useProgramFont()
{
    // The layouts were drawn for a narrow 8-point sans-serif font; Liberation
    // Sans has the metrics of the usual one, the system's sans-serif stands in.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    const double narrower = kLiberationSampleEms / widthInEms(font);
    sansScale = narrower < 0.98 ? narrower : 1.0; // a font of the same metrics (Arial) as it is
    font.setPointSizeF(8 * sansScale);
    QApplication::setFont(font);
}

QFont fixedFont(double pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(pointSize);
    return font;
}

QFont sansFont(double pointSize, bool bold)
{
    QFont font = QApplication::font();
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize * sansScale);
    font.setBold(bold);
    return font;
}

} // namespace bidmark::gui
