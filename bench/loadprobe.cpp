// Loads the logbook given on the command line the way the program does and
// prints the process's peak resident memory in kilobytes.
#include "logdata/Loader.h"
#include "logdata/State.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QTemporaryDir work; // config.dat and temp files go here
    QDir::setCurrent(work.path());
    ProgramState& s = G();
    s.LogFilePath = QByteArray(argv[1]);
    s.DisplayFormat = 1;
    const LoadReport report = loadLogbookData(s);
    if (!report.opened)
        return 1;
    struct rusage ru {
    };
    getrusage(RUSAGE_SELF, &ru);
    std::printf("%ld %d\n", ru.ru_maxrss, report.rows.rowCount());
    return 0;
}
