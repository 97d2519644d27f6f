// vosmira-loggen: writes a WSJT-X style logbook for trials and benchmarks.
//   vosmira-loggen <records> <output file> [seed]
#include "loggen/LogGenerator.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: vosmira-loggen <records> <output file> [seed]\n");
        return 2;
    }
    LogGeneratorOptions o;
    bool ok = false;
    o.records = QByteArray(argv[1]).toInt(&ok);
    if (!ok || o.records < 0) {
        std::fprintf(stderr, "vosmira-loggen: the record count must be a number\n");
        return 2;
    }
    if (argc > 3)
        o.seed = QByteArray(argv[3]).toUInt();
    QFile f(QString::fromLocal8Bit(argv[2]));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "vosmira-loggen: %s\n", qPrintable(f.errorString()));
        return 1;
    }
    const QByteArray log = generateWsjtxLog(o);
    if (f.write(log) != log.size() || !f.flush()) {
        std::fprintf(stderr, "vosmira-loggen: %s\n", qPrintable(f.errorString()));
        return 1;
    }
    return 0;
}
