#pragma once
// The selected-QSO view: shows the QSO double-clicked in the grid with its
// country and flag, and is the hub from which it is changed, uploaded to eQSL
// or deleted. It also stores a changed record back into the logbook.
#include "editing/OpenedLine.h"
#include "logdata/State.h"
#include "mainwin/CountryTable.h"

#include <QPointer>
#include <QWidget>

#include <functional>

#include <array>

class DxccLog;
class QLabel;
class QLineEdit;
class QPushButton;
class Panel;
class PictureBox;
class ClickLabel;

class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    void FormCreate();
    // Shows `qso` (the grid row's cells) and takes the record at `line`
    // (counted from 0) as the one every write of the view goes to.
    void open(const SelectedQsoSet& qso, int line);
    // The countries and the DXCC table: with a country file the view names
    // the entity and its flag from it and says what the QSO is for the log
    // ("new DXCC" ...); without one the built-in prefix table names the
    // country as before.
    void setCountries(DxccLog* countries);
    // The view is placed from where this window stands (the new-QSO form).
    void setPlacedFrom(QWidget* w) { m_placedFrom = w; }
    // Size and place of the view, and its progress notice hidden: done when a
    // QSO is opened, not at every activation, so the operator can move the
    // view off the grid columns it covers while it is open.
    void FormActivate();
    void Init2();
    void Auswahl(int line);
    // The flag and the country's name of the call shown.
    void Country_Hide();
    void Country_Wahl();
    void Position_Flag();
    void Aenderung_Speichern();
    // Asks for `record` to be stored at the opened line; true when written.
    bool Save_Array_1(const QByteArray& record);

    // Before the view is left (exit, Escape, closing it, opening another QSO,
    // quitting): a change taken over from the change form and not yet saved
    // to the logbook is saved, discarded or kept open as the operator
    // chooses. Returns false when the view is to stay.
    bool confirmLeave();
    // The change form's record was taken over ("save" there).
    void changeAssumed();
    // The change form built `record` from `fields`: it becomes the record the
    // view holds and is shown (date and time stay those of the grid row).
    void showChangedRecord(const QByteArray& record, const EditFieldSet& fields);
    // A record built by a form: the lamps follow its eQSL marks.
    void showLamps(const EditFieldSet& fields);
    // The answer to writeRequested.
    void writeAnswered(LineWrite result) { m_writeAnswer = result; }
    const SelectedQsoSet& shownQso() const { return m_qso; }
    // The record sent to eQSL, and the values it was built from (their
    // eQSL-sent mark set as the reply says).
    const QByteArray& uploadRecord() const { return m_uploadRecord; }
    const EditFieldSet& uploadFields() const { return m_uploadFields; }

    // The record of the QSO shown: as read from its line, or as the change
    // form built it.
    QByteArray SelectedRecord;
    // An uploaded QSO's record is still to be rebuilt and stored.
    bool UploadPending = false;
    bool hasUnsavedChange() const { return m_unsavedChange; }

    void BitBtn1Click(); // exit
    void BitBtn2Click(); // modification save
    void BitBtn3Click(); // eQSL send
    void BitBtn4Click(); // change data
    void BitBtn5Click(); // delete QSO

    // The eQSL upload steps (auswahl_select_upload.cpp).
    void comment_wandel();
    void comm_speichern();
    void eqsl_message();
    void Delay(int ms);

    // After an upload the QSO's record is rebuilt with its new eQSL-sent mark
    // and stored at its line; done once, by whichever comes first: "exit",
    // closing the window, "delete QSO", or opening another QSO from the grid.
    void storePendingUpload();

    // The line (counted from 0, the header being line 0) of the QSO this view
    // shows, set when it is opened; -1 when it shows none. Every write the
    // view makes goes to this line, whatever the grid selection does.
    int openedLine() const { return m_line; }
    // True while an upload runs: nothing else can be started meanwhile.
    bool uploading() const { return m_uploading; }

    // Shows the call and the country whole: a long one ("EA8/DL1ABC", "San
    // Andres and Providencia") gets a smaller font in its place.
    void fitNames();

    // Lamps: red (255) or lime green (65280).
    static void setLamp(Panel* lamp, bool green);
    static bool lampGreen(const Panel* lamp);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label15 = nullptr; // eQSL progress notice
    ClickLabel* Label20 = nullptr;

    Panel* Panel1 = nullptr;  // date
    Panel* Panel2 = nullptr;  // time
    Panel* Panel3 = nullptr;  // call
    Panel* Panel4 = nullptr;  // comment
    Panel* Panel5 = nullptr;  // band
    Panel* Panel6 = nullptr;  // country
    Panel* Panel8 = nullptr;  // RST sent
    Panel* Panel9 = nullptr;  // RST received
    Panel* Panel10 = nullptr; // frequency
    Panel* Panel11 = nullptr; // mode
    Panel* Panel12 = nullptr; // eQSL-sent lamp
    Panel* Panel13 = nullptr; // eQSL-received lamp
    Panel* Panel16 = nullptr; // locator

    // The seven call keys derived from the call, for the country lookup.
    CallKeys Keys;

    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn5 = nullptr;

    // Picture controls Image1..Image<kLastPicture>; from Image2 on, except 17 and 34, the
    // flags, stacked in the order of their numbers.
    std::array<PictureBox*, kLastPicture + 1> Images{};
    PictureBox* Image1 = nullptr; // the current flag picture
    // The entity's flag when a country file names it.
    PictureBox* FileFlag = nullptr;
    // What the QSO is for the log: "new DXCC", "new band for this DXCC",
    // "worked, not confirmed"; empty otherwise.
    QLabel* NewOne = nullptr;

signals:
    // The view holds the record at `line`, as `record`.
    void lineOpened(int line, const QByteArray& record);
    // `record` is to be stored at `line`, which should still hold `expected`;
    // answered with writeAnswered before the signal returns.
    void writeRequested(int line, const QByteArray& expected, const QByteArray& record);
    // The record at `line` is now `record` (written by the view).
    void lineRewritten(int line, const QByteArray& record);
    void mainWindowWanted();
    // The view is left: the log read again and shown.
    void closedToLog();
    void changeRequested(const QByteArray& record);
    void deleteRequested();
    // The change form belongs to the QSO shown: an upload dismisses it.
    void changeFormDismissed();
    // An upload script runs (true) or has ended (false).
    void uploadRunning(bool running);

public:
    // The logbook the QSOs are opened from.
    void setLogbook(const Logbook* book) { m_logbook = book; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    // Stores `record` at the opened line and rewrites the logbook, unless the
    // line no longer holds the QSO that was opened (the log was reloaded from
    // a changed file). Returns true when the file was written.
    bool writeOpenedLine(const QByteArray& record);
    void setUploading(bool on);
    // "QSO 257 – LZ0YT": the row number and the call of the QSO shown.
    void updateTitle();
    // The country from the country file; false when there is none in use.
    bool showFileCountry();
    void showNewOne();
    DxccLog* m_countries = nullptr;
    bool m_newOnePending = false; // shown once the DXCC table is counted

    const Logbook* m_logbook = nullptr;
    SelectedQsoSet m_qso; // the grid row's cells, as opened
    QByteArray m_uploadRecord;
    // The upload's values, the record they were read from and the values as
    // read, for the rebuild with the new eQSL-sent mark.
    EditFieldSet m_uploadFields;
    QByteArray m_uploadOriginal;
    EditFieldSet m_uploadShown;
    QPointer<QWidget> m_placedFrom;
    LineWrite m_writeAnswer = LineWrite::Failed;
    int m_line = -1;
    QByteArray m_lineRecord; // what the opened line held when last read or written
    bool m_uploading = false;
    bool m_unsavedChange = false;
};
