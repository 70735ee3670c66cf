// At a display scale of 2 (ctest runs this with QT_SCALE_FACTOR=2) our own
// drawings hold twice the pixels each way, so that they stay sharp.
#include <QLabel>
#include <QtTest>

#include "app/mainwindow.h"
#include "editor/playersavailable.h"
#include "tests/support/tempdir.h"

using namespace bidmark;

class Scale2Test : public QObject {
    Q_OBJECT

private slots:
    void picturesAreDrawnForTheScreensPixels()
    {
        QCOMPARE(qGuiApp->devicePixelRatio(), 2.0);
        test::TempDir folder;
        Session session{folder.path(), "TOR"};
        MainWindow main(session);
        PlayersAvailable players(session);
        const QList<QLabel*> pictures{main.findChild<QLabel*>(QStringLiteral("Picture1")),
                                      main.findChild<QLabel*>(QStringLiteral("Picture2")),
                                      main.findChild<QLabel*>(QStringLiteral("Picture3")),
                                      players.findChild<QLabel*>(QStringLiteral("Picture1"))};
        const QList<QSize> drawn{{302, 153}, {135, 130}, {135, 90}, {100, 50}}; // device-independent
        for (int i = 0; i < pictures.size(); ++i) {
            const QPixmap picture = pictures[i]->pixmap();
            QCOMPARE(picture.devicePixelRatio(), 2.0);
            QCOMPARE(picture.size(), drawn[i] * 2);
        }
    }
};

QTEST_MAIN(Scale2Test)
#include "scale2_test.moc"
