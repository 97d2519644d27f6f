// The start-up benchmark's probe: the time it reports is the end of the last
// repaint after the grid is ready, not the first one.
#include "mainwin/StartupProbe.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <ctime>

namespace
{
double monoMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
} // namespace

class TestStartupProbe : public QObject
{
    Q_OBJECT
private slots:
    void reportsTheLastRepaintAfterReady()
    {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        new QVBoxLayout(&window);
        window.layout()->addWidget(edit);
        bool ready = false;
        int reports = 0;
        double reported = 0;
        StartupProbe probe([&] { return ready; },
                           [&](double, double mono) {
                               ++reports;
                               reported = mono;
                           },
                           300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Repaints before the grid is ready never end the watch.
        QTest::qWait(400);
        QCOMPARE(reports, 0);

        ready = true;
        double lastRequest = 0;
        for (int i = 0; i < 3; ++i) {
            lastRequest = monoMs();
            window.update();
            QTest::qWait(100);
        }
        // A blinking cursor would repaint for ever; it is left out.
        edit->setFocus();
        window.activateWindow();
        QTRY_COMPARE_WITH_TIMEOUT(reports, 1, 5000);
        QVERIFY(reported >= lastRequest);
        QTest::qWait(400);
        QCOMPARE(reports, 1);
    }
};

QTEST_MAIN(TestStartupProbe)
#include "tst_startupprobe.moc"
