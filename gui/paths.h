#pragma once
#include <optional>
#include <vector>
#include <QString>

#include "core/path.h"

class QWidget;

// Paths at the widget boundary: the one pair between the path type and Qt's
// text, and the file dialogs, which answer with paths.
namespace bidmark::gui {

QString toQt(const Path& path);
Path pathFromQt(const QString& text);

// The dialogs; nothing (or no file) when the user cancels. A saved file's
// name typed without an extension gets `suffix` (".csv") when one is given.
std::optional<Path> chooseFolder(QWidget* parent, const QString& caption, const QString& start);
std::vector<Path> chooseFilesToOpen(QWidget* parent, const QString& caption, const QString& filter);
std::optional<Path> chooseFileToSave(QWidget* parent, const QString& caption, const QString& start,
                                     const QString& filter, const QString& suffix = QString());

} // namespace bidmark::gui
