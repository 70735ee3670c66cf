#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

// The widget boundary shared by every window: text conversion, the program's
// message boxes, twips, fonts and the busy cursor.
namespace bidmark::gui {

inline const QString kTitle = QStringLiteral("Bidmark");

// Windows-1252 bytes to QString and back; nothing when a character has no byte.
QString toQt(std::string_view bytes);
QStringList toQtLines(const std::vector<std::string>& lines);
std::optional<std::string> fromQt(const QString& text);

// Modal message boxes titled "Bidmark" unless a title is given.
void showMessage(QWidget* parent, const QString& text, const QString& title = kTitle);
void showInformation(QWidget* parent, const QString& text);
void showFailure(QWidget* parent, const QString& text);
bool askYesNo(QWidget* parent, const QString& text, const QString& title);

// Positions in twips, as the layouts are drawn, placed in Qt's pixels.
void placeTwips(QWidget* widget, int left, int top, int width, int height);
void sizeTwips(QWidget* widget, int width, int height);
void useProgramFont(); // for the whole program, before its windows are made
QFont fixedFont(double pointSize);
QFont sansFont(double pointSize, bool bold);

// Closes every window and leaves the event loop.
void endProgram();

// Runs one handler's work: a Failure (or any other exception) is shown in a
// critical message box and the handler stops; nothing crosses the event loop.
// Returns true when the work finished.
template <class Work>
bool guarded(QWidget* parent, Work&& work);

// Busy cursor for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace bidmark::gui

#include <exception>
template <class Work>
bool bidmark::gui::guarded(QWidget* parent, Work&& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& failure) {
        showFailure(parent, toQt(failure.what()));
    } catch (...) {
        showFailure(parent, QStringLiteral("Unexpected failure"));
    }
    return false;
}
