#include "widgets.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>

#include "core/cp1252.h"

namespace bidmark::gui {

QString toQt(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes)
        *out++ = QChar(charOf1252(byte));
    return text;
}

QStringList toQtLines(const std::vector<std::string>& lines)
{
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        shown.append(toQt(line));
    return shown;
}

std::optional<std::string> fromQt(const QString& text)
{
    return encode1252(text.toStdU16String());
}

namespace {
void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText); // "<SIGNED>" and team tags are text, not markup
    box.exec();
}
} // namespace

void showMessage(QWidget* parent, const QString& text, const QString& title)
{
    showBox(parent, QMessageBox::NoIcon, text, title);
}

void showInformation(QWidget* parent, const QString& text)
{
    showBox(parent, QMessageBox::Information, text, kTitle);
}

void showFailure(QWidget* parent, const QString& text)
{
    showBox(parent, QMessageBox::Critical, text, kTitle);
}

bool askYesNo(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

namespace {
int pixels(int twips) { return (twips + 7) / 15; }
} // namespace

void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

void sizeTwips(QWidget* widget, int width, int height)
{
    widget->setFixedSize(pixels(width), pixels(height));
}

void useProgramFont()
{
    // The layouts were drawn for a narrow 8-point sans-serif font; Liberation
    // Sans has the metrics of the usual one, the system's sans-serif stands in.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    QApplication::setFont(font);
}

QFont fixedFont(double pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(pointSize);
    return font;
}

QFont sansFont(double pointSize, bool bold)
{
    QFont font = QApplication::font();
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void endProgram()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

} // namespace bidmark::gui
