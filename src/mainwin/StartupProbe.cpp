#include "mainwin/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include <ctime>

namespace
{
double clockMs(clockid_t id)
{
    timespec t{};
    clock_gettime(id, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
} // namespace

StartupProbe::StartupProbe(std::function<bool()> ready, std::function<void(double, double)> done,
                           int quietMs, QObject* parent)
    : QObject(parent), m_ready(std::move(ready)), m_done(std::move(done)), m_quiet(new QTimer(this))
{
    m_quiet->setSingleShot(true);
    m_quiet->setInterval(quietMs);
    connect(m_quiet, &QTimer::timeout, this, [this] {
        QCoreApplication::instance()->removeEventFilter(this);
        m_done(m_cpu, m_mono);
    });
    QCoreApplication::instance()->installEventFilter(this);
}

StartupProbe::~StartupProbe()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* e)
{
    // A blinking text cursor repaints for ever; it is not the start's doing.
    if (e->type() == QEvent::Paint && !qobject_cast<QLineEdit*>(watched) && !m_pending) {
        m_pending = true;
        // Queued: runs once the repaint this paint belongs to has ended.
        QTimer::singleShot(0, this, [this] { paintEnded(); });
    }
    return QObject::eventFilter(watched, e);
}

void StartupProbe::paintEnded()
{
    m_pending = false;
    m_cpu = clockMs(CLOCK_PROCESS_CPUTIME_ID);
    m_mono = clockMs(CLOCK_MONOTONIC);
    if (!m_seenReady)
        m_seenReady = m_ready();
    if (m_seenReady)
        m_quiet->start();
}
