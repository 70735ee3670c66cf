// Built into every window test: what the program remembers (QSettings, such
// as the recent league folders) goes to a folder of the test program's own,
// removed when it ends, never into the settings of the user who runs the
// tests, nor those of another test program running at the same time. On
// Windows too, where they would otherwise go to the registry (and, without an
// organization name, nowhere).
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
QTemporaryDir& settingsFolder()
{
    static QTemporaryDir folder;
    return folder;
}

[[maybe_unused]] const bool kTestSettings = [] {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder().path());
    return true;
}();
} // namespace
