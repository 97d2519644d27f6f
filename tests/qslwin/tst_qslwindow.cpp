// The QSL window on the offscreen platform with a stand-in service: what a
// run's end does to the log, to the download's cursor and to the result list.
#include "logdata/Logbook.h"
#include "logdata/ServiceSettings.h"
#include "qslwin/QslWindow.h"
#include "support/EqslTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace qsl;

namespace
{
// A service that answers when the test says so.
class FakeService : public QslService
{
public:
    Service service() const override { return Service::Eqsl; }
    QString name() const override { return QStringLiteral("eQSL"); }
    void upload(const QList<LogQso>& qsos) override
    {
        if (begin())
            uploaded = qsos;
    }
    void download(const QByteArray& since) override
    {
        if (begin())
            asked = since;
    }
    void cancel() override
    {
        QslService::cancel();
        RunResult r;
        r.status = RunResult::Failed;
        answer(r);
    }
    void answer(const RunResult& r) { end(r); }

    QList<LogQso> uploaded;
    QByteArray asked = "(none)";
};

// The mark "EQSL_QSL_SENT Y" for the QSO at `line`.
void markSent(RunResult& r, int line, const QByteArray& record, const char* tag = "EQSL_QSL_SENT")
{
    r.changes.set(line, readQsoFacts(record), tag, "Y");
}
} // namespace

class TestQslWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void uploadMarksInOneRewrite();
    void downloadSavesCursorOnlyAfterTheWrite();
    void failureOrCancelWritesNothing();

private:
    QString cell(int row, int column) const;
    ScratchDir* dir = nullptr;
    QByteArray log;
    QslWindow* w = nullptr;
    FakeService* fake = nullptr;
};

void TestQslWindow::init()
{
    dir = new ScratchDir;
    log = eqsltest::startProgram(*dir, 4);
    w = windows().Qsl;
    w->setLogbook(windows().Form1->logbook(),
                  std::make_unique<FileSecretStore>(dir->file(QStringLiteral("secrets"))));
    fake = new FakeService;
    w->runner()->setService(Service::Eqsl, fake);
    QTest::mouseClick(windows().Form1->QslButton, Qt::LeftButton);
    QVERIFY(w->isVisible());
}

void TestQslWindow::cleanup()
{
    destroyAllForms();
    delete dir;
    dir = nullptr;
}

QString TestQslWindow::cell(int row, int column) const
{
    const QTableWidgetItem* item = w->Results->item(row, column);
    return item ? item->text() : QStringLiteral("(none)");
}

void TestQslWindow::uploadMarksInOneRewrite()
{
    // The account typed: the password goes to the store only.
    w->EqslUser->setText(QStringLiteral("DL1VOS"));
    w->EqslPassword->setText(QStringLiteral("s3cret"));
    QSignalSpy rewrites(windows().Form1->logbook(), &Logbook::rowsChanged);
    QTest::mouseClick(w->UploadButton[0], Qt::LeftButton);
    QString secret, error;
    FileSecretStore(dir->file(QStringLiteral("secrets")))
        .read(QStringLiteral("eqsl.password"), secret, error);
    QCOMPARE(secret, QStringLiteral("s3cret"));
    QVERIFY(w->EqslPassword->text().isEmpty());
    const QByteArray conf = dir->read(QStringLiteral("services.conf"));
    QVERIFY(conf.contains("eqsl.user=DL1VOS"));
    QVERIFY(!conf.contains("s3cret"));

    QCOMPARE(fake->uploaded.size(), 4);
    QCOMPARE(fake->uploaded[2].line, 3);
    QVERIFY(!w->UploadButton[1]->isEnabled());
    // WSJT-X appends a QSO while the service works.
    const QByteArray appended = eqsltest::record(9) + "\r\n";
    dir->write(QStringLiteral("log.adi"), log + appended);

    RunResult r;
    r.message = QStringLiteral("eQSL: 2 of 3 QSOs sent");
    const QList<LogQso>& q = fake->uploaded;
    markSent(r, q[0].line, q[0].record);
    markSent(r, q[2].line, q[2].record);
    // A mark for a line that holds another QSO by now.
    markSent(r, q[3].line, eqsltest::record(7));
    r.qsos << outcomeOf(q[0].line, readQsoFacts(q[0].record), QsoOutcome::Sent)
           << outcomeOf(q[1].line, readQsoFacts(q[1].record), QsoOutcome::NotSent,
                        QStringLiteral("Bad record: QSO date is in the future"))
           << outcomeOf(q[2].line, readQsoFacts(q[2].record), QsoOutcome::Sent);
    fake->answer(r);

    QCOMPARE(rewrites.size(), 1);
    QCOMPARE(rewrites[0][0].value<QList<int>>(), (QList<int>{1, 3}));
    QList<QByteArray> before = fileLines(log + appended);
    const QList<QByteArray> after = fileLines(dir->read(QStringLiteral("log.adi")));
    QCOMPARE(after.size(), before.size());
    before[1].replace("<eor>", "<eqsl_qsl_sent:1>Y <eor>");
    before[3].replace("<eor>", "<eqsl_qsl_sent:1>Y <eor>");
    QCOMPARE(after, before);
    QCOMPARE(w->Results->rowCount(), 4);
    QCOMPARE(cell(1, 4), QStringLiteral("not sent"));
    QCOMPARE(cell(1, 5), QStringLiteral("Bad record: QSO date is in the future"));
    QCOMPARE(cell(3, 1), QStringLiteral("K7ABC"));
    QCOMPARE(cell(3, 4), QStringLiteral("not marked"));
    QVERIFY(w->StatusLine->text().contains(QStringLiteral("2 QSO(s) marked")));
    QVERIFY(w->UploadButton[1]->isEnabled());
}

void TestQslWindow::downloadSavesCursorOnlyAfterTheWrite()
{
    dir->write(QStringLiteral("services.conf"), "eqsl.cursor=20240101\nother=kept\n");
    const QByteArray rec = fileLines(log)[2];
    const QsoFacts f = readQsoFacts(rec);
    RunResult r;
    r.complete = true;
    r.nextCursor = "20240229";
    r.received << Confirmation{f.call.toByteArray(),    "20M",  "FT8",     {},
                               f.qsoDate.toByteArray(), "1240", "20240228"}
               << Confirmation{"W1AW", "20M", "FT8", {}, "20240101", "1200", {}};

    for (const bool writable : {false, true}) {
        QTest::mouseClick(w->DownloadButton[0], Qt::LeftButton);
        QCOMPARE(fake->asked, QByteArray("20240101"));
        {
            // A write that cannot store the log: nothing changes, the cursor
            // stays, the reason is shown.
            std::optional<FileSizeLimit> full;
            if (!writable)
                full.emplace(64);
            fake->answer(r);
        }
        const QByteArray conf = dir->read(QStringLiteral("services.conf"));
        if (!writable) {
            QCOMPARE(dir->read(QStringLiteral("log.adi")), log);
            QVERIFY(conf.contains("eqsl.cursor=20240101"));
            QVERIFY(w->StatusLine->text().contains(QStringLiteral("could not be written")));
            continue;
        }
        QVERIFY(conf.contains("eqsl.cursor=20240229"));
        QVERIFY(conf.contains("other=kept"));
        QCOMPARE(
            fileLines(dir->read(QStringLiteral("log.adi")))[2],
            QByteArray(rec).replace("<eor>", "<eqsl_qsl_rcvd:1>Y <eqsl_qslrdate:8>20240228 <eor>"));
    }
    QCOMPARE(w->Results->rowCount(), 2);
    QCOMPARE(cell(0, 4), QStringLiteral("confirmed"));
    QCOMPARE(cell(1, 1), QStringLiteral("W1AW"));
    QVERIFY(cell(1, 5).contains(QStringLiteral("no QSO of the log fits it")));
}

void TestQslWindow::failureOrCancelWritesNothing()
{
    dir->write(QStringLiteral("services.conf"), "eqsl.cursor=20240101\n");
    // The service fails: nothing written, the cursor kept, the reason shown.
    QTest::mouseClick(w->DownloadButton[0], Qt::LeftButton);
    RunResult failed;
    failed.status = RunResult::Failed;
    failed.message = QStringLiteral("eQSL: the user name or the password is wrong");
    fake->answer(failed);
    QCOMPARE(w->StatusLine->text(), failed.message);
    QVERIFY(w->DownloadButton[0]->isEnabled());

    // Cancel while an upload runs: the run ends as cancelled.
    QTest::mouseClick(w->UploadButton[0], Qt::LeftButton);
    QVERIFY(w->CancelButton->isEnabled());
    QTest::mouseClick(w->CancelButton, Qt::LeftButton);
    QCOMPARE(w->StatusLine->text(), QStringLiteral("eQSL: cancelled"));
    QVERIFY(!w->CancelButton->isEnabled());
    QVERIFY(w->UploadButton[0]->isEnabled());
    QCOMPARE(dir->read(QStringLiteral("log.adi")), log);
    QCOMPARE(dir->read(QStringLiteral("services.conf")), QByteArray("eqsl.cursor=20240101\n"));
}

QTEST_MAIN(TestQslWindow)
#include "tst_qslwindow.moc"
