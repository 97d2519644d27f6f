#pragma once
// The change form: reads the selected QSO's record into ChangeFields, lets the
// operator change the values (each confirmed with Enter) and builds the new
// record line, which the view takes over and shows. The
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
    // Opens the form on `record`, the record the view holds.
    void open(const QByteArray& record);
    // Asked before "close" leaves the view too: false keeps the view open.
    void setLeaveCheck(std::function<bool()> check) { m_leaveCheck = std::move(check); }
    // Fills ChangeFields and the edits from `record`.
    void daten_aendern(const QByteArray& record);
    // Builds NewRecord from ChangeFields, stores it via speichern and hands
    // it to the view (recordBuilt).
    void adif_wandel();
    void speichern();

    // The record built last, and whether "save" asked for it to be kept in
    // aenderung.adi as well.
    QByteArray NewRecord;
    // The values of the form, the record they were read from and the values
    // as read: a rebuild keeps the record's other fields and the original
    // form of every value left unchanged.
    EditFieldSet ChangeFields;
    QByteArray ChangeOriginal;
    EditFieldSet ChangeShown;
    quint8 ChangeSaveRequested = 0;

    void BitBtn1Click(); // save
    void BitBtn2Click(); // close without saving

signals:
    // `record` was built from `fields`.
    void recordBuilt(const QByteArray& record, const EditFieldSet& fields);
    // The operator took the change over ("save").
    void changeTaken();
    // "Close": the change dropped, the view left, the log shown again.
    void closedToLog();

protected:
    EditFieldSet& values() override { return ChangeFields; }
    const EditFieldSet* shownValues() const override { return &ChangeShown; }
    bool utf8Line() const override;

private:
    std::function<bool()> m_leaveCheck;
};
