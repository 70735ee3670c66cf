#include "gui/text.h"

#include <QLineEdit>

#include "core/cp1252.h"
#include "gui/messages.h"

namespace bidmark::gui {

QString toQt(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes)
        *out++ = QChar(charOf1252(byte));
    return text;
}

std::optional<std::string> fromQt(const QString& text)
{
    return encode1252(text.toStdU16String());
}

std::optional<std::string> typedText(QWidget* parent, const QString& text, const QString& what)
{
    std::optional<std::string> bytes = fromQt(text);
    if (!bytes)
        showMessage(parent, QStringLiteral("%1 holds a character that cannot be stored in the "
                                           "league's files (Windows-1252). Please remove it.")
                                .arg(what));
    return bytes;
}

std::optional<std::string> typedText(QWidget* parent, const QLineEdit* box, const QString& what)
{
    return typedText(parent, box->text(), what);
}

} // namespace bidmark::gui
