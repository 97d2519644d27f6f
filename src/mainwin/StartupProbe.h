#pragma once
// For the start-up benchmark: follows every repaint of the program's windows
// and, once the screen has been still for a while after the grid showed the
// log, reports when the last repaint ended (its CPU time and the monotonic
// clock), so the figure covers everything the start causes, not only its
// first paint.
#include <QObject>

#include <functional>

class QTimer;

class StartupProbe : public QObject
{
public:
    // `ready` says whether the grid shows what the start was for; `done`
    // receives the process's CPU time and the monotonic clock (ms) at the end
    // of the last repaint once nothing was repainted for `quietMs`.
    StartupProbe(std::function<bool()> ready, std::function<void(double cpuMs, double monoMs)> done,
                 int quietMs, QObject* parent = nullptr);
    ~StartupProbe() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void paintEnded();

    std::function<bool()> m_ready;
    std::function<void(double, double)> m_done;
    QTimer* m_quiet;
    bool m_seenReady = false;
    bool m_pending = false;
    double m_cpu = 0;
    double m_mono = 0;
};
