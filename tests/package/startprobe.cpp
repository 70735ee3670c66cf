// A Qt plugin that the ZIP's test puts beside the unpacked program and loads
// into it (bidmark.exe -plugin bidmarkstartprobe:FILE): once the main window
// is shown, it writes the platform, the window's title, the teams it lists
// and the text of any message box in front into FILE and ends the program. It is never in the ZIP: the program
// itself has no hook for tests.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QTimer>

class StartProbe : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "startprobe.json")

public:
    QObject* create(const QString&, const QString& file) override
    {
        auto* timer = new QTimer;
        // The main window draws its caption letter by letter before it lists
        // the teams: wait for them, 20 s at most. A message box in front is
        // noted and closed, and the program ends after it.
        connect(timer, &QTimer::timeout, timer, [timer, file, ticks = 0, messages = QString()]() mutable {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages += QStringLiteral("message %1\n").arg(box->text());
                box->close();
                return;
            }
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* teams = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
                if (window->objectName() != QLatin1String("Form1") || !window->isVisible() || !teams)
                    continue;
                if (teams->count() == 0 && messages.isEmpty() && ++ticks < 40)
                    return; // a message box is the start's last step
                QString seen = QStringLiteral("platform %1\ntitle %2\n")
                                   .arg(QGuiApplication::platformName(), window->windowTitle());
                for (int i = 0; i < teams->count(); ++i)
                    seen += QStringLiteral("team %1\n").arg(teams->itemText(i));
                QFile out(file);
                if (out.open(QIODevice::WriteOnly))
                    out.write((seen + messages).toUtf8());
                timer->stop();
                QApplication::quit();
                return;
            }
        });
        timer->start(500);
        return timer;
    }
};

#include "startprobe.moc"
