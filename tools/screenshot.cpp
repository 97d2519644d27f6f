// vosmira-screenshot: starts Vosmira in a working directory (config.dat and
// logbook prepared there), lets the window settle and saves a picture of the
// main window. Used for the README's screenshot, under Xvfb.
//   vosmira-screenshot <working directory> <output.png> [row to open]
//   vosmira-screenshot --screen <output.png>   (the whole screen as it is now,
//   whatever program shows it: pictures of another build under a window manager)
// With VOSMIRA_SHOT_SCREEN=1 the window is maximised on the real screen (run
// it on an Xvfb screen of the size wanted, QT_SCALE_FACTOR as the user has
// it) and the picture is of the whole screen.
#include "app/WindowFactory.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "widgets/Screen.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--screen") {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        return shot.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: vosmira-screenshot <working directory> <output.png> [row]\n");
        return 2;
    }
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    const bool wholeScreen = qEnvironmentVariableIsSet("VOSMIRA_SHOT_SCREEN");
    if (!wholeScreen)
        setScreenSizeOverride(QSize(1280, 800));
    createAllForms();
    TForm1* main = windows().Form1;
    if (!wholeScreen) {
        main->showNormal();
        main->resize(1270, 760);
    }
    const int row = argc > 3 ? QByteArray(argv[3]).toInt() : -1;
    QTimer::singleShot(800, [&] {
        if (row >= 0) {
            StringGrid* g = main->StringGrid1;
            g->setCurrentIndex(g->model()->index(row, 2));
            main->StringGrid1DblClick();
        }
        QTimer::singleShot(500, [&] {
            QImage shot = main->grab().toImage();
            if (wholeScreen) {
                // Every window as it stands on the screen.
                shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            } else if (row >= 0) {
                // The opened QSO's window, drawn over the main window where it
                // would stand.
                QWidget* view = QApplication::topLevelWidgets().value(0);
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->isVisible() && w != main && w->windowTitle().startsWith("QSO "))
                        view = w;
                if (view && view != main) {
                    QPainter p(&shot);
                    p.drawPixmap(QPoint(560, 300), view->grab());
                }
            }
            const bool ok = shot.save(QString::fromLocal8Bit(argv[2]));
            destroyAllForms();
            app.exit(ok ? 0 : 1);
        });
    });
    return app.exec();
}
