#pragma once
// The benchmarks' logbook: 100,000 generated WSJT-X style records in a
// scratch working directory that is made the current one.
#include "loggen/LogGenerator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

struct BenchLog {
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;

    BenchLog()
    {
        QDir::setCurrent(dir.path());
        LogGeneratorOptions o;
        o.records = 100000;
        o.seed = 2024;
        const QByteArray log = generateWsjtxLog(o);
        path = dir.filePath(QStringLiteral("wsjtx_log.adi"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(log);
        size = log.size();
    }
    ~BenchLog() { QDir::setCurrent(QDir::tempPath()); }
};
