#include "app/recentleagues.h"

#include <QSettings>

namespace bidmark::recentLeagues {

namespace {
const QString kKey = QStringLiteral("recentLeagueFolders");
} // namespace

QStringList folders()
{
    return QSettings().value(kKey).toStringList();
}

void remember(const QString& folder)
{
    QStringList recent = folders();
    recent.removeAll(folder);
    recent.prepend(folder);
    QSettings().setValue(kKey, recent.mid(0, kLimit));
}

} // namespace bidmark::recentLeagues
