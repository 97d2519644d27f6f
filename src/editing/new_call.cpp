#include "editing/new_call.h"

#include "app/FormRegistry.h"
#include "editing/RecordBuilder.h"
#include "editing/auswahl_select.h"
#include "logdata/Dates.h"
#include "logdata/Rewrite.h"
#include "logdata/TextCodec.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/Widgets.h"

#include <QFile>
#include <QPushButton>

namespace
{
const char* const kChangeFile = "aenderung.adi";
const char* const kNewQsoFile = "QSO_new.adi";

constexpr int kWidth = 727;
constexpr int kHeight = 375;
} // namespace

TForm7::TForm7() : QsoEntryForm(Kind::NewQso)
{
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    onEscape(this, [this] { BitBtn2Click(); });
}

bool TForm7::utf8Line() const
{
    if (!m_logHoldsUtf8) {
        const ProgramState& s = G();
        m_logHoldsUtf8 = false;
        for (int k = s.LoadedLineCount; k >= 1 && !*m_logHoldsUtf8; --k)
            m_logHoldsUtf8 = text::isUtf8Text(s.LogLines.view(k));
    }
    return *m_logHoldsUtf8;
}

void TForm7::FormCreate()
{
    ProgramState& s = G();
    const QSize screen = screenSize();
    s.ScreenWidth = screen.width();
    s.ScreenHeight = screen.height();
    place(kWidth, kHeight, s.GridWidth / 2, s.GridHeight / 2);
    applyCaptions();
    clearEdits();
}

void TForm7::Open()
{
    const ProgramState& s = G();
    place(kWidth, kHeight, (s.GridWidth / 2) / 2, (s.GridHeight / 2) / 2);
    showWindow(this);
}

void TForm7::Init()
{
    // The record written is what the form shows: emptied edits, empty values.
    clearEdits();
    G().NewQsoFields = EditFieldSet();
    m_logHoldsUtf8.reset();
    applyCaptions();
}

void TForm7::BitBtn1Click()
{
    if (!checkDateAndTime())
        return;
    adif_new();
    new_Speichern();
}

void TForm7::adif_new()
{
    ProgramState& s = G();
    QFile::remove(QString::fromLatin1(kChangeFile));
    const EditFieldSet& f = s.NewQsoFields;
    s.DateBuffer = f.date;
    Datum_reconv(s);
    const QByteArray fileDate = s.DateBuffer;
    s.NewRecord = record::build(f, fileDate, record::fileTime(f.time));
    save_new();

    if (TForm2* view = Forms().Form2) {
        TForm2::setLamp(view->Panel13, f.eqslRcvd == "Y");
        if (f.eqslSent != "Y")
            TForm2::setLamp(view->Panel12, false);
    }
}

void TForm7::save_new()
{
    // QSO_new.adi collects every QSO added by hand, oldest first.
    QFile out(QString::fromLatin1(kNewQsoFile));
    if (out.open(QIODevice::WriteOnly | QIODevice::Append))
        out.write(G().NewRecord + "\r\n");
    hide();
}

void TForm7::new_Speichern()
{
    const bool written = new_Array_1();
    if (TForm1* main = Forms().Form1) {
        // When the rewrite did not succeed the main window has already told
        // the operator and reloaded what is on disk.
        if (written)
            main->LoadLogbook();
        main->StringGrid1->show();
        main->ScrollGridToBottom();
    }
    hide();
}

bool TForm7::new_Array_1()
{
    ProgramState& s = G();
    // The record goes into the element after the last line of the file (set()
    // grows the table when the spare element is missing).
    const RewriteOutcome outcome = appendRecord(s, s.NewRecord);
    if (TForm1* main = Forms().Form1)
        return main->ReportRewrite(outcome);
    return outcome.result == RewriteResult::Written;
}

void TForm7::BitBtn2Click()
{
    Init();
    if (TForm1* main = Forms().Form1) {
        main->StringGrid1->hide();
        main->StringGrid1->show();
        main->ScrollGridToBottom();
    }
    if (TForm2* view = Forms().Form2)
        view->hide();
    hide();
}
