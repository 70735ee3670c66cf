#include "gui/paths.h"

#include <QFileDialog>
#include <QFileInfo>

#include "core/filenames.h"

namespace bidmark::gui {

QString toQt(const Path& path) { return QString::fromStdU16String(utf16OfPath(path.bytes())); }

Path pathFromQt(const QString& text) { return Path(pathOfUtf16(text.toStdU16String())); }

std::optional<Path> chooseFolder(QWidget* parent, const QString& caption, const QString& start)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, caption, start);
    if (folder.isEmpty())
        return std::nullopt;
    return pathFromQt(folder);
}

std::vector<Path> chooseFilesToOpen(QWidget* parent, const QString& caption, const QString& filter)
{
    std::vector<Path> files;
    for (const QString& file : QFileDialog::getOpenFileNames(parent, caption, QString(), filter))
        files.push_back(pathFromQt(file));
    return files;
}

std::optional<Path> chooseFileToSave(QWidget* parent, const QString& caption, const QString& start,
                                     const QString& filter, const QString& suffix)
{
    QString file = QFileDialog::getSaveFileName(parent, caption, start, filter);
    if (file.isEmpty())
        return std::nullopt;
    if (!suffix.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += suffix;
    return pathFromQt(file);
}

} // namespace bidmark::gui
