#pragma once
#include <exception>
#include <QString>

class QWidget;

// The program's message boxes, the failure display around every handler and
// the busy cursor of long work.
namespace bidmark::gui {

inline const QString kTitle = QStringLiteral("Bidmark");

// Modal message boxes titled "Bidmark" unless a title is given; their text is
// plain text ("<SIGNED>" and team tags are no markup).
void showMessage(QWidget* parent, const QString& text, const QString& title = kTitle);
void showInformation(QWidget* parent, const QString& text);
void showFailure(QWidget* parent, const QString& text);
bool askYesNo(QWidget* parent, const QString& text, const QString& title);
// Yes, No or Cancel (also Esc), Yes the default; titled "Bidmark".
enum class Choice { Yes, No, Cancel };
Choice askYesNoCancel(QWidget* parent, const QString& text);

// The critical box of guarded(): the failure's message (nullptr: a failure
// that is no std::exception).
void showFailureOf(QWidget* parent, const std::exception* failure);

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

template <class Work>
bool bidmark::gui::guarded(QWidget* parent, Work&& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& failure) {
        showFailureOf(parent, &failure);
    } catch (...) {
        showFailureOf(parent, nullptr);
    }
    return false;
}
