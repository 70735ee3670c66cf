// Built into every window test: what the program remembers (QSettings, such
// as the recent league folders) goes to Qt's test location, never into the
// settings of the user who runs the tests. On Windows too, where they would
// otherwise go to the registry (and, without an organization name, nowhere).
#include <QSettings>
#include <QStandardPaths>

namespace {
[[maybe_unused]] const bool kTestSettings = [] {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    return true;
}();
} // namespace
