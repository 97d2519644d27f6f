// Runs in a process of its own and prints its peak resident memory in kB
// (VmHWM), so nothing the benchmark process used before is counted:
//   vosmira_loadprobe load <log>   the logbook loaded as the program loads it
//   vosmira_loadprobe time <log>   the same as the first thing the process
//                                  does; prints its CPU and wall time in ms
//   vosmira_loadprobe floor <log>  the floor a load is compared with, a plain
//                                  read and memchr line split, likewise timed
//   vosmira_loadprobe cycle <log>  the program started on the log (offscreen),
//                                  then a call search, back, a QSO opened,
//                                  changed and saved, and the view left (reload)
#include "app/WindowFactory.h"
#include "editing/auswahl_select.h"
#include "editing/eingabe.h"
#include "logdata/Loader.h"
#include "logdata/Logbook.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "widgets/KeyEdit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "BenchLog.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString log = QFile::decodeName(argv[2]);
    QTemporaryDir work; // config.dat and the side files go here
    QDir::setCurrent(work.path());
    if (mode == "floor" || mode == "time") {
        // Nothing before it: the memory it takes comes from the system, as at
        // a program start.
        const double wall = monotonicMs(), cpu = cpuMs();
        if (mode == "floor") {
            if (readAndSplitFloor(log) == 0)
                return 1;
        } else {
            ProgramState& s = G();
            s.LogFilePath = QFile::encodeName(log);
            s.DisplayFormat = 1;
            LogbookState book;
            if (!loadLogbookData(s, book).opened)
                return 1;
        }
        std::printf("%.3f %.3f\n", cpuMs() - cpu, monotonicMs() - wall);
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ProgramState& s = G();
    LogbookState loaded;
    const LogbookState* book = &loaded;
    if (mode == "load") {
        s.LogFilePath = QFile::encodeName(log);
        s.DisplayFormat = 1;
        if (!loadLogbookData(s, loaded).opened)
            return 1;
    } else {
        QFile c(QStringLiteral("config.dat"));
        c.open(QIODevice::WriteOnly);
        c.write(QFile::encodeName(log) +
                "\r\nfalse\r\n\r\n\r\nDL1VOS\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n\r\nEng\r\n");
        c.close();
        createAllForms();
        useWorkingDirectoryCountries(); // as the program starts
        QCoreApplication::processEvents();
        TForm1* f = windows().Form1;
        // The cycle goes in as the operator's input, like the UI benchmark's.
        auto click = [](QWidget* w) {
            QTest::mouseClick(w, Qt::LeftButton);
            QCoreApplication::processEvents();
        };
        click(f->Button1);
        QTest::keyClicks(f->Edit3, QStringLiteral("DL"));
        QTest::keyClick(f->Edit3, Qt::Key_Return);
        click(f->Button3);
        StringGrid* grid = f->StringGrid1;
        const QRect row = grid->visualRect(grid->model()->index(5, 2));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row.center());
        QCoreApplication::processEvents();
        TForm2* view = windows().Form2;
        TForm3* change = windows().Form3;
        click(view->BitBtn4);
        change->Edit14->setFocus();
        QTest::keyClick(change->Edit14, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(change->Edit14, QStringLiteral("tnx"));
        click(change->BitBtn1);
        click(view->BitBtn2);
        click(view->BitBtn1);
        QCoreApplication::processEvents();
        if (s.QsoCount <= 0)
            return 1;
        book = &f->logbook()->data();
    }
    std::printf("%ld %d\n", peakRssKb(), book->LoadedLineCount - 1);
    return 0;
}
