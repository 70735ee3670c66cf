#include <gtest/gtest.h>

#include "gui/placement.h"

namespace bidmark::gui {
namespace {

// Where a window opens next to its opener, on a 1920 x 1080 screen (or a
// second one right of it).
TEST(Placement, BesideOrCentredAndWholeOnTheScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const struct {
        const char* what;
        Place place;
        QSize frame;
        QRect opener, screen;
        QPoint at;
    } cases[] = {
        {"right of the opener", Place::Beside, {200, 150}, {100, 100, 400, 300}, screen, {508, 100}},
        {"left when the right is full", Place::Beside, {300, 150}, {1500, 100, 400, 300}, screen, {1192, 100}},
        {"centred when neither side has room", Place::Beside, {400, 300}, {0, 0, 1900, 500}, screen, {749, 99}},
        {"beside, moved up onto the screen", Place::Beside, {200, 400}, {100, 900, 400, 150}, screen, {508, 680}},
        {"centred", Place::Centred, {200, 100}, {100, 100, 400, 300}, screen, {199, 199}},
        {"centred, moved onto the screen", Place::Centred, {800, 600}, {1700, 900, 200, 150}, screen, {1120, 480}},
        {"larger than the screen: its top left", Place::Centred, {2500, 1200}, {100, 100, 400, 300}, screen, {0, 0}},
        {"on the opener's screen", Place::Beside, {400, 300}, {2000, 50, 300, 200}, {1920, 0, 1280, 1024},
         {2308, 50}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placedAt(c.place, c.frame, c.opener, c.screen), c.at) << c.what;
}

} // namespace
} // namespace bidmark::gui
