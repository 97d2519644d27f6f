#pragma once
// The change form: reads the selected QSO's record into ChangeFields, lets the
// operator change the values (each confirmed with Enter) and builds the new
// record line, which replaces SelectedRecord and is shown in the view. The
// view's "modification save" stores it into the logbook.
#include "editing/QsoEntryForm.h"

#include <functional>

class TForm3 : public QsoEntryForm
{
    Q_OBJECT
public:
    PictureBox* Image1 = nullptr; // decoration at the top right

    TForm3();

    void FormCreate();
    void Init();
    // Opens the form on the record the view holds (SelectedRecord).
    void open();
    // Asked before "close" leaves the view too: false keeps the view open.
    void setLeaveCheck(std::function<bool()> check) { m_leaveCheck = std::move(check); }
    // Fills ChangeFields and the edits from SelectedRecord.
    void daten_aendern();
    // Builds NewRecord from ChangeFields, stores it via speichern, puts it
    // into SelectedRecord and refreshes the view.
    void adif_wandel();
    void speichern();

    // The record built last, and whether "save" asked for it to be kept in
    // aenderung.adi as well.
    QByteArray NewRecord;
    quint8 ChangeSaveRequested = 0;

    void BitBtn1Click(); // save
    void BitBtn2Click(); // close without saving

signals:
    // The record built from the change fields is in SelectedRecord.
    void recordBuilt(const EditFieldSet& fields);
    // The operator took the change over ("save").
    void changeTaken();
    // "Close": the change dropped, the view left, the log shown again.
    void closedToLog();

protected:
    EditFieldSet& values() override { return G().ChangeFields; }
    const EditFieldSet* shownValues() const override { return &G().ChangeShown; }
    bool utf8Line() const override;

private:
    std::function<bool()> m_leaveCheck;
};
