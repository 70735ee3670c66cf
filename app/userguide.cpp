#include "app/userguide.h"

#include <QUrl>

namespace bidmark {

UserGuide::UserGuide(const QString& file, QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("UserGuide"));
    setWindowTitle(QStringLiteral("Bidmark User Guide"));
    setWindowFlag(Qt::Window);
    setOpenExternalLinks(true);
    // The pictures are found beside the file, as the guide names them.
    setSource(QUrl::fromLocalFile(file), QTextDocument::MarkdownResource);
    resize(820, 720);
}

} // namespace bidmark
