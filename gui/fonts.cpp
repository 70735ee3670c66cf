#include "gui/fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace bidmark::gui {

void useProgramFont()
{
    // The layouts were drawn for a narrow 8-point sans-serif font; Liberation
    // Sans has the metrics of the usual one, the system's sans-serif stands in.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
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
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace bidmark::gui
