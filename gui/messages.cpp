#include "gui/messages.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/text.h"

namespace bidmark::gui {

namespace {
int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton byDefault = QMessageBox::NoButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(byDefault);
    return box.exec();
}
} // namespace

void showMessage(QWidget* parent, const QString& text, const QString& title)
{
    showBox(parent, QMessageBox::NoIcon, text, title, QMessageBox::Ok);
}

void showInformation(QWidget* parent, const QString& text)
{
    showBox(parent, QMessageBox::Information, text, kTitle, QMessageBox::Ok);
}

void showFailure(QWidget* parent, const QString& text)
{
    showBox(parent, QMessageBox::Critical, text, kTitle, QMessageBox::Ok);
}

bool askYesNo(QWidget* parent, const QString& text, const QString& title)
{
    return showBox(parent, QMessageBox::NoIcon, text, title, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

Choice askYesNoCancel(QWidget* parent, const QString& text)
{
    switch (showBox(parent, QMessageBox::NoIcon, text, kTitle,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
}

void showFailureOf(QWidget* parent, const std::exception* failure)
{
    showFailure(parent, failure ? toQt(failure->what()) : QStringLiteral("Unexpected failure"));
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

} // namespace bidmark::gui
