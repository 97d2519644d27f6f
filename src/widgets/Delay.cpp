#include "widgets/Delay.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace
{
bool terminating = false;
}

void markApplicationTerminating()
{
    terminating = true;
}

bool applicationTerminating()
{
    return terminating || QCoreApplication::closingDown();
}

void resetApplicationTerminating()
{
    terminating = false;
}

void Delay(int ms)
{
    if (ms <= 0 || applicationTerminating() || !QCoreApplication::instance())
        return;
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired() && !applicationTerminating()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop,
                         &QEventLoop::quit);
        timer.start(int(qMax<qint64>(1, deadline.remainingTime())));
        loop.exec();
    }
}
