// Vosmira: a logbook for FT8 and FT4 operators.
#include "app/WindowFactory.h"
#include "logdata/AtomicFile.h"
#include "mainwin/QSL_Print.h"
#include "qslwin/QslCommand.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // A write beyond a file size limit fails like a full disk and is reported.
    ignoreFileSizeSignal();
    // "vosmira qsl upload|download eqsl|lotw": a QSL run without windows.
    if (isQslCommand(argc, argv))
        return runQslCommand(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vosmira"));
    QApplication::setApplicationVersion(QStringLiteral(VOSMIRA_VERSION));
    // No display name: window managers would add it to every title. The
    // desktop entry's name ties the windows to it on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vosmira.Vosmira"));
    initPictureResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/vosmira.png")));
    createAllForms();
    useWorkingDirectoryCountries();
    const int rc = app.exec();
    destroyAllForms();
    return rc;
}
