#include "tests/support/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QTimer>

namespace bidmark::test {

namespace {
void record(QWidget* dialog, Message* seen)
{
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (seen && box)
        *seen = {box->text(), box->windowTitle(), box->icon()};
}

void record(QWidget* dialog, Prompt* seen)
{
    auto* prompt = qobject_cast<QInputDialog*>(dialog);
    if (seen && prompt)
        *seen = {prompt->labelText(), prompt->windowTitle(), prompt->textValue(), prompt->textEchoMode()};
}

QString describe(QWidget* dialog)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        return QStringLiteral("message \"%1\"").arg(box->text());
    if (auto* prompt = qobject_cast<QInputDialog*>(dialog))
        return QStringLiteral("prompt \"%1\"").arg(prompt->labelText());
    return dialog->objectName();
}

void close(QWidget* dialog)
{
    if (auto* modal = qobject_cast<QDialog*>(dialog))
        modal->reject();
    else
        dialog->close();
}
} // namespace

Answer ok(Message* seen)
{
    return [seen](QWidget* dialog) {
        record(dialog, seen);
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            box->done(QMessageBox::Ok);
    };
}

Answer press(const QString& button, Message* seen)
{
    return [button, seen](QWidget* dialog) {
        record(dialog, seen);
        auto* box = qobject_cast<QMessageBox*>(dialog);
        for (QAbstractButton* candidate : box ? box->buttons() : QList<QAbstractButton*>()) {
            if (candidate->text().remove('&') == QString(button).remove('&')) {
                candidate->click();
                return;
            }
        }
    };
}

Answer type(const QString& typed, Prompt* seen)
{
    return [typed, seen](QWidget* dialog) {
        record(dialog, seen);
        if (auto* prompt = qobject_cast<QInputDialog*>(dialog)) {
            prompt->setTextValue(typed);
            prompt->accept();
        }
    };
}

Answer cancel(Prompt* seen)
{
    return [seen](QWidget* dialog) {
        record(dialog, seen);
        if (auto* prompt = qobject_cast<QInputDialog*>(dialog))
            prompt->reject();
    };
}

Answer chooseFolder(const QString& folder)
{
    return [folder](QWidget* dialog) {
        if (auto* chooser = qobject_cast<QFileDialog*>(dialog)) {
            chooser->setDirectory(folder);
            static_cast<QDialog*>(chooser)->accept(); // QFileDialog's own accept() is protected
        }
    };
}

Answer saveAs(const QString& path, QString* suggested)
{
    return [path, suggested](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (!files)
            return;
        if (suggested)
            *suggested = files->selectedFiles().value(0);
        // selectFile leaves the name box alone while it has the focus, as it
        // may by the time the answer comes on a busy machine.
        if (QWidget* focused = files->focusWidget())
            focused->clearFocus();
        files->selectFile(path);
        static_cast<QDialog*>(files)->accept(); // QFileDialog::accept would ask about a file that is there
    };
}

bool answered(std::vector<Answer> answers, const std::function<void()>& action)
{
    std::size_t next = 0;
    QStringList problems;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        if (next < answers.size())
            answers[next++](dialog);
        else
            problems << QStringLiteral("an unexpected %1").arg(describe(dialog));
        if (dialog->isVisible()) {
            problems << QStringLiteral("the answer left the %1 open").arg(describe(dialog));
            close(dialog);
        }
    });
    watch.start();
    action();
    watch.stop();
    if (next < answers.size())
        problems << QStringLiteral("%1 of %2 expected dialogs came").arg(next).arg(answers.size());
    for (const QString& problem : problems)
        qWarning("%s", qPrintable(problem));
    return problems.isEmpty();
}

} // namespace bidmark::test
