#include "windows.h"

#include <QApplication>

#include "modal.h"

namespace bidmark::test {

QWidget* window(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name))
            return widget;
    }
    return nullptr;
}

bool shown(const char* name)
{
    return window(name) && window(name)->isVisible();
}

void recordMessage(Message* message)
{
    answerNextModal([message](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            message->text = box->text();
            message->icon = box->icon();
            box->done(QMessageBox::Ok);
        }
    });
}

} // namespace bidmark::test
