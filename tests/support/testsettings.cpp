// Built into every window test: what the program remembers (QSettings, such
// as the recent league folders) goes to Qt's test location, never into the
// settings of the user who runs the tests.
#include <QStandardPaths>

namespace {
[[maybe_unused]] const bool kTestSettings = [] {
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();
} // namespace
