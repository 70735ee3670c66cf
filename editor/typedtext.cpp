#include "typedtext.h"

#include <QLineEdit>

#include "core/gui/widgets.h"

namespace bidmark::gui {

std::optional<std::string> typedText(QWidget* parent, const QLineEdit* box, const QString& what)
{
    std::optional<std::string> bytes = fromQt(box->text());
    if (!bytes)
        showMessage(parent, QStringLiteral("%1 holds a character that cannot be stored in the "
                                           "league's files (Windows-1252). Please remove it.")
                                .arg(what));
    return bytes;
}

} // namespace bidmark::gui
