#pragma once
#include <QStringList>

// The league folders opened last, remembered between runs (QSettings).
namespace bidmark::recentLeagues {

inline constexpr int kLimit = 8;

QStringList folders();                // the most recent first
void remember(const QString& folder); // put first, once; the oldest beyond the limit go

} // namespace bidmark::recentLeagues
