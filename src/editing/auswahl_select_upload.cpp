// The eQSL upload of the QSO on display: the upload record, the upload file,
// the run of the upload script and the judgement of the service's reply.
#include "editing/ChangeFieldsReader.h"
#include "editing/auswahl_select.h"
#include "eqsl/ReplyJudge.h"
#include "eqsl/ScriptRunner.h"
#include "eqsl/UploadRecord.h"
#include "logdata/AtomicFile.h"
#include "logdata/State.h"
#include "widgets/Delay.h"
#include "widgets/Dialogs.h"
#include "widgets/Widgets.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace
{
QString workFile(const char* name)
{
    return QDir::current().filePath(QString::fromLatin1(name));
}
} // namespace

void TForm2::BitBtn3Click()
{
    if (SelectedRecord.isEmpty() || m_uploading)
        return; // no record on display, or an upload already runs
    // A change form still open belongs to this QSO; the upload reads the
    // record afresh, so what was typed there and not taken over is dropped.
    emit changeFormDismissed();
    comment_wandel();
    // A record whose call or date cannot be read (a deleted QSO's placeholder,
    // a broken line) is neither uploaded nor rebuilt.
    if (m_uploadFields.call.isEmpty() || m_uploadFields.date.isEmpty()) {
        dialogs().showError(tr("This QSO has no readable call or date, so "
                               "it cannot be sent to eQSL. Nothing was "
                               "sent and the logbook is unchanged."));
        return;
    }

    // If the upload file cannot be written, the script would send the file
    // of an earlier upload, and its reply would be taken for this QSO.
    QString error;
    if (!writeFileAtomically(workFile("eqsl.adi"), eqsl::uploadFileContent(m_uploadRecord),
                             &error)) {
        QFile::remove(workFile("eqsl.adi"));
        dialogs().showError((tr(">eqsl.adi< could not be written: %1. "
                                "Nothing was sent."))
                                .arg(error));
        return;
    }
    // The reply of an earlier upload must not be judged as this one's.
    QFile::remove(workFile("back.txt"));

    UploadPending = true;
    eqsl_message();
    BitBtn2->setEnabled(false);
    BitBtn3->setEnabled(false);
    BitBtn4->setEnabled(false);
}

void TForm2::comment_wandel()
{
    ProgramState& s = G();
    // The record is read afresh, as the change form reads it.
    s.DisplayFormat = 1;
    const ChangeFieldsRead read = readChangeFields(SelectedRecord);
    m_uploadFields = read.fields;
    m_uploadShown = read.fields;
    m_uploadOriginal = SelectedRecord;
    if (!read.unreadable.isEmpty())
        dialogs().showError(unreadableFieldsText(read.unreadable));
    QFile::remove(workFile("temp_com.adi"));
    m_uploadRecord = eqsl::buildUploadRecord(m_uploadFields, s.ProgramSettings.StandardComment);
    comm_speichern();
}

void TForm2::comm_speichern()
{
    // A copy of the upload record; nothing reads it back, errors are not
    // reported.
    QFile f(workFile("temp_com.adi"));
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write(m_uploadRecord + "\r\n");
}

void TForm2::eqsl_message()
{
    EditFieldSet& qso = m_uploadFields;
    setUploading(true);
    Label15->show();
    Label15->raise();

    // While the script runs, windows keep painting and this form keeps its
    // notice, but the main window takes no input: opening another QSO from
    // the grid now would make the exit store this QSO's record on that line.
    emit uploadRunning(true);
    const eqsl::RunResult run =
        eqsl::scriptRunner().run(workFile("eqsl.bat"), QDir::currentPath(), eqsl::kUploadTimeoutMs);
    emit uploadRunning(false);
    Label15->hide();

    if (run.outcome != eqsl::RunOutcome::Finished) {
        // Not sent, or no complete reply: the QSO is not marked as sent.
        if (eqsl::runNeverStarted(run.outcome))
            UploadPending = false; // nothing went out: the record stays as it is
        qso.eqslSent.clear();
        setLamp(Panel12, false);
        const QString text = eqsl::runFailureText(run, eqsl::kUploadTimeoutMs);
        setUploading(false);
        if (!text.isEmpty())
            dialogs().showError(text);
        return;
    }

    if (qso.eqslSent == "Y")
        setLamp(Panel12, true);
    eqsl::ReplyLineTable replyLines; // 1..20
    const bool replyRead = eqsl::readReplyFile(workFile("back.txt"), replyLines);
    const eqsl::ReplyJudgement j = eqsl::judgeReply(replyLines, qso.eqslSent, lampGreen(Panel12));
    // The mark is set as the reply says before anything can be started again;
    // then the operator reads the messages one after the other.
    qso.eqslSent = j.eqslSent;
    setLamp(Panel12, j.lampGreen);
    setUploading(false);
    if (!replyRead)
        dialogs().showError(eqsl::replyFileMissingText());
    for (const eqsl::ReplyMessage& m : j.messages) {
        if (m.kind == eqsl::MessageKind::Plain)
            dialogs().showPlain(m.text);
        else
            dialogs().showMessage(m.text);
    }
}

void TForm2::setUploading(bool on)
{
    // While the upload runs nothing of the view can be started; afterwards
    // "exit" and "delete QSO" come back, while "change data", "eQSL send"
    // and "modification save" stay off until the view is left.
    m_uploading = on;
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5})
        b->setEnabled(false);
    Label20->setEnabled(!on);
    if (!on) {
        BitBtn1->setEnabled(true);
        BitBtn5->setEnabled(true);
    }
}

void TForm2::Delay(int ms)
{
    ::Delay(ms);
}
