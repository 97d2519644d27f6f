#include "editing/eingabe.h"

#include "widgets/JpegDecoder.h"
#include "widgets/Widgets.h"

#include "editing/ChangeFieldsReader.h"
#include "editing/RecordBuilder.h"
#include "logdata/Cp1252.h"
#include "logdata/Dates.h"
#include "logdata/TextCodec.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/Widgets.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace
{
const char* const kChangeFile = "aenderung.adi";

} // namespace

TForm3::TForm3() : QsoEntryForm(Kind::Change)
{
    // The small picture at the top right (the new-QSO form has none).
    Image1 = new PictureBox(this);
    Image1->setGeometry(660, 12, 50, 40);
    Image1->setPicture(loadJpegPixmap(QStringLiteral(":/pictures/radio.jpg")));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    // Escape leaves the change form only; the view stays with what it shows.
    onEscape(this, [this] { hide(); });
}

bool TForm3::utf8Line() const
{
    return text::isUtf8Text(ChangeOriginal);
}

void TForm3::FormCreate()
{
    place(727, 390, (m_grid.width() / 2) / 2, (m_grid.height() / 2) / 2);
    applyCaptions();
    clearEdits();
}

void TForm3::Init()
{
    clearEdits();
    applyCaptions();
}

void TForm3::open(const QByteArray& record)
{
    showWindow(this);
    Init();
    daten_aendern(record);
    Edit10->setFocus();
}

void TForm3::daten_aendern(const QByteArray& record)
{
    G().DisplayFormat = 1;
    const ChangeFieldsRead read = readChangeFields(record);
    ChangeFields = read.fields;
    ChangeShown = read.fields;
    ChangeOriginal = record;
    const EditFieldSet& f = ChangeFields;
    showValue(Edit1, f.call);
    showValue(Edit2, f.date);
    showValue(Edit3, f.time);
    showValue(Edit5, f.freq);
    showValue(Edit9, f.band);
    showValue(Edit6, f.mode);
    showValue(Edit11, f.locator);
    showValue(Edit8, f.rstRcvd);
    showValue(Edit7, f.rstSent);
    showValue(Edit15, f.eqslSent);
    showValue(Edit10, f.eqslRcvd);
    showValue(Edit14, f.comment);
    if (!read.unreadable.isEmpty()) {
        // A field whose length is not a number cannot be read; it is shown
        // empty (never with a value of the QSO opened before) and the
        // operator knows a save writes it empty.
        dialogs().showError(unreadableFieldsText(read.unreadable));
    }
}

void TForm3::BitBtn1Click()
{
    if (!checkDateAndTime())
        return;
    ChangeSaveRequested = 1;
    adif_wandel();
    emit changeTaken();
}

void TForm3::adif_wandel()
{
    QFile::remove(QString::fromLatin1(kChangeFile));
    NewRecord = record::rebuild(ChangeFields, record::Origin{ChangeOriginal, &ChangeShown});
    speichern();
    emit recordBuilt(NewRecord, ChangeFields);
}

void TForm3::speichern()
{
    if (ChangeSaveRequested == 1) {
        // The builder deleted the file, so it holds just this record.
        QFile out(QString::fromLatin1(kChangeFile));
        if (out.open(QIODevice::WriteOnly | QIODevice::Append))
            out.write(NewRecord + "\r\n");
        ChangeSaveRequested = 0;
    }
    hide();
}

void TForm3::BitBtn2Click()
{
    // The view is left too: a change taken over before is not lost unasked.
    if (m_leaveCheck && !m_leaveCheck()) {
        hide();
        return;
    }
    Init();
    emit closedToLog();
    hide();
}
