#pragma once
// The new-QSO form: the operator types a QSO by hand (each entry confirmed
// with Enter); saving appends the record to QSO_new.adi, puts it after the
// last line of the logbook and rewrites and reloads the logbook at once.
#include "editing/QsoEntryForm.h"

#include <optional>

class DxccLog;
class Logbook;

class TForm7 : public QsoEntryForm
{
    Q_OBJECT
public:
    TForm7();

    void FormCreate();
    // Opening from the main window's picture button: the edits keep what
    // they held.
    void Open();
    void Init();
    // Builds NewRecord from NewQsoFields and appends it to QSO_new.adi.
    void adif_new();
    void save_new();
    // Puts NewRecord after the last line, rewrites and reloads the logbook.
    void new_Speichern();
    bool new_Array_1();

    // The values typed and the record built from them last.
    const EditFieldSet& fields() const { return m_fields; }
    QByteArray NewRecord;

    // With a country file: the call typed is named with its entity and what
    // it would be for the log on the band typed ("new DXCC" ...).
    void setCountries(DxccLog* countries) { m_countries = countries; }
    QLabel* NewOne = nullptr;
    void showNewOne();

    void BitBtn1Click(); // save
    void BitBtn2Click(); // close

signals:
    // The record built from the fields is NewRecord.
    void recordBuilt(const EditFieldSet& fields);
    // `record` is to go after the last line of the logbook; answered with
    // appendAnswered before the signal returns.
    void appendRequested(const QByteArray& record);
    // Saved: the log is shown again, read anew when `written`.
    void saved(bool written);
    // Closed without saving: the log and no QSO shown.
    void closed();

public:
    void appendAnswered(bool written) { m_appended = written; }
    // The logbook the QSO is added to.
    void setLogbook(const Logbook* book) { m_logbook = book; }

protected:
    EditFieldSet& values() override { return m_fields; }
    // A new QSO's line follows the logbook: UTF-8 when it holds UTF-8 text.
    // Looked up once per opening, when first needed (the log may be large).
    bool utf8Line() const override;

private:
    const Logbook* m_logbook = nullptr;
    DxccLog* m_countries = nullptr;
    mutable std::optional<bool> m_logHoldsUtf8;
    bool m_appended = false;
    EditFieldSet m_fields;
};
