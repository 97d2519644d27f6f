#include "editing/new_call.h"

#include "country/DxccEntities.h"
#include "dxcc/DxccLog.h"
#include "editing/RecordBuilder.h"
#include "logdata/Dates.h"
#include "logdata/Logbook.h"
#include "logdata/TextCodec.h"
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

    // Under the call: its entity and what it would be for the log.
    NewOne = new QLabel(this);
    NewOne->setGeometry(16, 129, 360, 17);
    NewOne->setFont(designFont(QStringLiteral("MS Sans Serif"), 12, true));
    setTextColor(NewOne, QColor(192, 0, 0));
    for (KeyEdit* e : {Edit1, Edit5, Edit9})
        connect(e, &QLineEdit::textChanged, this, [this] { showNewOne(); });
}

void TForm7::showNewOne()
{
    NewOne->clear();
    const QByteArray call = Edit1->text().trimmed().toLatin1();
    if (!m_countries || !m_countries->usesFile() || call.size() < 2)
        return;
    const country::DxccStats& stats = m_countries->stats();
    const country::ShownCountry shown = country::showCountry(stats.resolver(), call);
    if (shown.dxcc <= 0)
        return;
    // The band typed, else the one of the frequency typed; any band when neither.
    int band = country::bandOfAdif(Edit9->text().toLatin1());
    if (band < 0)
        band = country::bandOfFrequency(Edit5->text().trimmed().toDouble());
    const QString kind = country::newOneText(stats.classify(call, band));
    NewOne->setText(kind.isEmpty() ? shown.name : tr("%1: %2").arg(shown.name, kind));
}

bool TForm7::utf8Line() const
{
    if (!m_logHoldsUtf8) {
        m_logHoldsUtf8 = false;
        for (int k = m_logbook ? m_logbook->lineCount() - 1 : -1; k >= 0 && !*m_logHoldsUtf8; --k)
            m_logHoldsUtf8 = text::isUtf8Text(m_logbook->line(k));
    }
    return *m_logHoldsUtf8;
}

void TForm7::FormCreate()
{
    place(kWidth, kHeight, m_grid.width() / 2, m_grid.height() / 2);
    applyCaptions();
    clearEdits();
}

void TForm7::Open()
{
    place(kWidth, kHeight, (m_grid.width() / 2) / 2, (m_grid.height() / 2) / 2);
    showWindow(this);
}

void TForm7::Init()
{
    // The record written is what the form shows: emptied edits, empty values.
    clearEdits();
    m_fields = EditFieldSet();
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
    QFile::remove(QString::fromLatin1(kChangeFile));
    const EditFieldSet& f = m_fields;
    const QByteArray fileDate = datumReconv(f.date);
    NewRecord = record::build(f, fileDate, record::fileTime(f.time));
    save_new();
    emit recordBuilt(f);
}

void TForm7::save_new()
{
    // QSO_new.adi collects every QSO added by hand, oldest first.
    QFile out(QString::fromLatin1(kNewQsoFile));
    if (out.open(QIODevice::WriteOnly | QIODevice::Append))
        out.write(NewRecord + "\r\n");
    hide();
}

void TForm7::new_Speichern()
{
    const bool written = new_Array_1();
    emit saved(written);
    hide();
}

bool TForm7::new_Array_1()
{
    m_appended = false;
    emit appendRequested(NewRecord);
    return m_appended;
}

void TForm7::BitBtn2Click()
{
    Init();
    emit closed();
    hide();
}
