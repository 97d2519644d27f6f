#include "editing/auswahl_select.h"

#include "country/DxccEntities.h"
#include "dxcc/DxccLog.h"
#include "editing/OpenedLine.h"
#include "editing/RecordBuilder.h"
#include "logdata/Cp1252.h"
#include "logdata/LineTable.h"
#include "logdata/LogFileMark.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "logdata/TextCodec.h"
#include "mainwin/CountryTable.h"
#include "widgets/Dialogs.h"
#include "widgets/JpegDecoder.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{
const char* const kContext = "TForm2";
constexpr int kRed = 255;
constexpr int kGreen = 65280;
constexpr int kTeal = 0x808000; // RGB 0,128,128 as a design colour value

Panel* valuePanel(QWidget* parent, int x, int y, int w, int h = 22, int px = 16)
{
    auto* p = new Panel(parent, QString(), Panel::None);
    markAsValue(p);
    p->setGeometry(x, y, w, h);
    p->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    p->setFont(designFont(QStringLiteral("MS Sans Serif"), px, true));
    setTextColor(p, designColor(kTeal));
    return p;
}
} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent)
{
    setTrTitle(this, kContext, QT_TR_NOOP("QSO"));
    setBackground(this, 12696492);
    buildControls();
    onEscape(this, [this] { BitBtn1Click(); });
}

void TForm2::buildControls()
{
    Label1 = designLabel(this, kContext, QT_TR_NOOP("Selected QSO:"), 16, 12);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(120, 8, 60, 22);
    Edit1->setReadOnly(true);

    designLabel(this, kContext, QT_TR_NOOP("CALL:"), 16, 50);
    Panel3 = valuePanel(this, 84, 44, 214, 36, 31);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    // The picture controls; Image17 and Image34 are not flags, Image1 is the
    // empty placeholder that designates the current flag.
    for (int n = 1; n <= kLastPicture; ++n) {
        auto* img = new PictureBox(this);
        img->setProperty("pictureNumber", n);
        img->setGeometry(304, 49, 60, 30);
        img->hide();
        Images[size_t(n)] = img;
    }
    Image1 = Images[1];

    FileFlag = new PictureBox(this);
    FileFlag->setGeometry(304, 49, 60, 30);
    FileFlag->hide();
    NewOne = new QLabel(this);
    NewOne->setGeometry(200, 12, 382, 20);
    NewOne->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
    setTextColor(NewOne, QColor(192, 0, 0));

    Panel6 = valuePanel(this, 372, 52, 210, 24, 14);
    Panel6->setProperty("shownValue", false); // the country's name is in the window's language
    Panel6->hide();

    designLabel(this, kContext, QT_TR_NOOP("QSO date:"), 16, 96);
    Panel1 = valuePanel(this, 110, 92, 120);
    designLabel(this, kContext, QT_TR_NOOP("Time:"), 250, 96);
    Panel2 = valuePanel(this, 310, 92, 80);
    designLabel(this, kContext, QT_TR_NOOP("MHz:"), 16, 126);
    Panel10 = valuePanel(this, 110, 122, 120);
    designLabel(this, kContext, QT_TR_NOOP("Band:"), 250, 126);
    Panel5 = valuePanel(this, 310, 122, 80);
    designLabel(this, kContext, QT_TR_NOOP("Mode:"), 16, 156);
    Panel11 = valuePanel(this, 110, 152, 120);
    designLabel(this, kContext, QT_TR_NOOP("Locator:"), 250, 156);
    Panel16 = valuePanel(this, 330, 152, 90);
    designLabel(this, kContext, QT_TR_NOOP("RST sent:"), 16, 186);
    Panel8 = valuePanel(this, 110, 182, 80);
    designLabel(this, kContext, QT_TR_NOOP("RST rcvd:"), 250, 186);
    Panel9 = valuePanel(this, 330, 182, 80);
    designLabel(this, kContext, QT_TR_NOOP("Comment:"), 16, 216);
    Panel4 = valuePanel(this, 110, 212, 470);

    Panel12 = new Panel(this);
    Panel12->setGeometry(430, 96, 20, 20);
    setLamp(Panel12, false);
    designLabel(this, kContext, QT_TR_NOOP("eQSL sent"), 456, 98);
    Panel13 = new Panel(this);
    Panel13->setGeometry(430, 126, 20, 20);
    setLamp(Panel13, false);
    Label20 = new ClickLabel(this);
    Label20->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
    Label20->move(456, 128);
    Label20->setProperty("trAdjustSize", true);
    setTrText(Label20, kContext, QT_TR_NOOP("eQSL received"));
    Label20->setCursor(Qt::PointingHandCursor);
    // The label does what "change data" does, and only while that can be done.
    connect(Label20, &ClickLabel::clicked, this, [this] {
        if (BitBtn4->isEnabled())
            BitBtn4Click();
    });

    auto button = [this](const char* caption, int x, int y, int w) {
        auto* b = new QPushButton(this);
        setTrText(b, kContext, caption);
        b->setGeometry(x, y, w, 30);
        b->setFont(designFont(QStringLiteral("MS Sans Serif"), 12, true));
        b->setAutoDefault(true);
        return b;
    };
    BitBtn4 = button(QT_TR_NOOP("Change data"), 16, 252, 135);
    BitBtn3 = button(QT_TR_NOOP("Send to eQSL"), 158, 252, 135);
    BitBtn2 = button(QT_TR_NOOP("Save change"), 300, 252, 150);
    BitBtn1 = button(QT_TR_NOOP("Exit"), 457, 252, 125);
    BitBtn5 = button(QT_TR_NOOP("Delete QSO"), 16, 292, 135);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });

    Label17 = designLabel(this, kContext, QT_TR_NOOP("Selected line:"), 160, 300);
    Edit3 = new QLineEdit(this);
    Edit3->setGeometry(240, 296, 50, 22);
    Label18 = designLabel(this, kContext, QT_TR_NOOP("Last line:"), 300, 300);
    Edit5 = new QLineEdit(this);
    Edit5->setGeometry(370, 296, 50, 22);
    Label19 = designLabel(this, kContext, QT_TR_NOOP("Array line:"), 430, 300);
    Edit6 = new QLineEdit(this);
    Edit6->setGeometry(510, 296, 50, 22);

    Label15 = new QLabel(this);
    setTrText(Label15, kContext,
              QT_TR_NOOP("Sending the QSL to eQSL – please wait for the reply …"));
    Label15->setGeometry(16, 332, 566, 24);
    Label15->setAlignment(Qt::AlignCenter);
    Label15->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
    setBackground(Label15, 0x00FFFF); // yellow
    Label15->hide();
}

void TForm2::FormCreate() {}

void TForm2::fitNames()
{
    fitTextToWidth(Panel3, 31);
    fitTextToWidth(Panel6, 14);
}

void TForm2::setLamp(Panel* lamp, bool green)
{
    setBackground(lamp, green ? kGreen : kRed);
}

bool TForm2::lampGreen(const Panel* lamp)
{
    return backgroundValue(lamp) == kGreen;
}

void TForm2::FormActivate()
{
    resize(600, 389);
    if (m_placedFrom)
        move(m_placedFrom->x() / 2, m_placedFrom->y() / 2);
    Label15->hide();
}

void TForm2::Init2()
{
    // The flag's first character follows the one leading blank.
    const SelectedQsoSet& q = m_qso;
    setLamp(Panel12, q.eqslSent.size() > 1 && q.eqslSent[1] == 'Y');
    setLamp(Panel13, q.eqslRcvd.size() > 1 && q.eqslRcvd[1] == 'Y');
}

void TForm2::open(const SelectedQsoSet& q, int line)
{
    m_qso = q;
    auto text = [](const QByteArray& b) { return text::decode(b); };
    show();
    Edit1->setText(QString::number(line));
    Panel1->setText(text(q.date));
    Panel2->setText(text(q.time));
    Panel3->setText(text(q.call));
    Panel4->setText(text(q.comment));
    Panel5->setText(text(q.band));
    Panel8->setText(text(q.rstSent));
    Panel9->setText(text(q.rstRcvd));
    Panel10->setText(text(q.freq));
    Panel11->setText(text(q.mode));
    Panel16->setText(text(q.locator));
    BitBtn2->setEnabled(true);
    BitBtn3->setEnabled(true);
    Init2();
    for (QWidget* w : {static_cast<QWidget*>(Edit3), static_cast<QWidget*>(Edit5),
                       static_cast<QWidget*>(Edit6), static_cast<QWidget*>(Label17),
                       static_cast<QWidget*>(Label18), static_cast<QWidget*>(Label19)})
        w->hide();

    Keys = deriveCallKeys(q.call);
    Country_Hide();
    Country_Wahl();
    fitNames();

    FormActivate();
    Auswahl(line);
    showNewOne();
    // Brought to the front, also when it was already open behind the main window.
    raise();
    activateWindow();
}

void TForm2::Country_Hide()
{
    for (int n = 2; n <= kLastPicture; ++n)
        if (isFlagPicture(n))
            Images[size_t(n)]->hide();
}

void TForm2::Country_Wahl()
{
    FileFlag->hide();
    // Where the name comes from, when it is a country file.
    Panel6->setToolTip(m_countries && m_countries->usesFile() ? m_countries->source().description()
                                                              : QString());
    if (showFileCountry())
        return;
    CountryResult result;
    lookupCountry(Keys, result);
    // Pictures are made visible in the order of their numbers, so where
    // several match, the highest-numbered one lies on top.
    for (int n = 2; n <= kLastPicture; ++n) {
        if (!result.visible.test(size_t(n)))
            continue;
        Image1 = Images[size_t(n)];
        Position_Flag();
    }
    // The table's texts are the design's; the language's translation names
    // the countries its way.
    const QString text = QCoreApplication::translate("Country", result.text);
    Panel6->setVisible(!text.isEmpty());
    Panel6->setText(text);
}

bool TForm2::showFileCountry()
{
    if (!m_countries || !m_countries->usesFile())
        return false;
    const country::ShownCountry shown =
        country::showCountry(*m_countries->source().resolver, m_qso.call.trimmed());
    QString text = shown.name;
    if (!shown.region.isEmpty())
        text += QStringLiteral(" (%1)").arg(shown.region);
    Panel6->setVisible(!text.isEmpty());
    Panel6->setText(text);
    if (!shown.flagResource.isEmpty()) {
        // Decoded again only when the entity changes.
        if (FileFlag->property("flagResource").toString() != shown.flagResource) {
            QString error;
            FileFlag->setPicture(loadJpegPixmap(shown.flagResource, &error));
            if (FileFlag->pixmap().isNull())
                qWarning("picture %s: %s", qPrintable(shown.flagResource), qPrintable(error));
            FileFlag->setProperty("flagResource", shown.flagResource);
        }
        FileFlag->show();
        FileFlag->raise();
    }
    return true;
}

void TForm2::setCountries(DxccLog* countries)
{
    m_countries = countries;
    if (countries)
        connect(countries, &DxccLog::upToDate, this, [this] {
            if (m_newOnePending && isVisible())
                showNewOne();
        });
}

void TForm2::showNewOne()
{
    NewOne->clear();
    m_newOnePending = false;
    if (!m_countries || !m_countries->usesFile() || SelectedRecord.isEmpty())
        return;
    // The QSO is shown at once; what it is for the DXCC follows as soon as
    // the table is counted (a large log takes a good part of a second).
    if (!m_countries->isUpToDate()) {
        m_newOnePending = true;
        m_countries->countWhenIdle();
        return;
    }
    const country::DxccStats& stats = m_countries->stats();
    NewOne->setText(
        country::newOneText(stats.classifyWithout(country::dxccQsoFromAdif(SelectedRecord))));
}

void TForm2::Position_Flag()
{
    PictureBox* flag = Image1;
    if (!flag)
        return;
    if (flag->pixmap().isNull() && !flag->property("flagLoaded").toBool()) {
        const int number = flag->property("pictureNumber").toInt();
        const QString path = flagResourcePath(number);
        QString error;
        flag->setPicture(loadJpegPixmap(path, &error));
        if (flag->pixmap().isNull())
            qWarning("picture %s: %s", qPrintable(path), qPrintable(error));
        flag->setProperty("flagLoaded", true);
    }
    flag->setGeometry(304, 49, 60, 30);
    flag->show();
    flag->raise();
}

void TForm2::Auswahl(int line)
{
    const ProgramState& s = G();
    static const LogbookState none;
    const LogbookState& book = m_logbook ? m_logbook->data() : none;
    Edit3->setText(QString::number(line));
    Edit5->setText(QString::number(s.LineCount));
    bool found = false;
    QFile f;
    // While the file is as last loaded or written (or was only appended to),
    // the line is taken from memory; otherwise from the file, as it is now.
    const DiskChange disk =
        book.LogMark.valid ? checkDisk(book.LogMark, s.LogFilePath).change : DiskChange::Changed;
    if (disk == DiskChange::Same || disk == DiskChange::Appended) {
        if (line >= 1 && line < book.LoadedLineCount) {
            SelectedRecord = book.LogLines.at(line + 1);
            m_uploadRecord = SelectedRecord;
            found = true;
        }
    } else if (openLogbookFile(s, f)) {
        const QByteArray image = readWholeFile(f);
        const std::vector<LineSpan> spans = splitLines(image);
        // Line 0 is the header, never a QSO.
        if (line >= 1 && size_t(line) < spans.size()) {
            const LineSpan& sp = spans[size_t(line)];
            SelectedRecord = image.mid(sp.offset, sp.length);
            m_uploadRecord = SelectedRecord;
            found = true;
        }
    }
    if (!found) {
        // No record at that line (the empty row after the last QSO, or the
        // file is gone): hold nothing, so no change or upload can act on the
        // record of the QSO opened before.
        SelectedRecord.clear();
        m_uploadRecord.clear();
    }
    // From here on the view (and the deletion form it fills) act on this
    // line and no other.
    m_line = found ? line : -1;
    m_lineRecord = found ? SelectedRecord : QByteArray();
    m_unsavedChange = false;
    updateTitle();
    emit lineOpened(m_line, m_lineRecord);
    BitBtn4->setEnabled(found);
    BitBtn3->setEnabled(found && !lampGreen(Panel12));
    BitBtn2->setEnabled(found);
}

bool TForm2::writeOpenedLine(const QByteArray& record)
{
    if (m_line < 1 || record.isEmpty())
        return false;
    if (!Save_Array_1(record))
        return false;
    m_lineRecord = record;
    emit lineRewritten(m_line, record);
    return true;
}

void TForm2::Aenderung_Speichern()
{
    if (writeOpenedLine(SelectedRecord))
        m_unsavedChange = false;
    BitBtn1->setFocus();
    BitBtn2->setEnabled(false);
    emit mainWindowWanted();
}

bool TForm2::Save_Array_1(const QByteArray& record)
{
    Edit3->setText(QString::number(m_line));
    Edit6->setText(QString::number(m_line + 1));
    m_writeAnswer = LineWrite::Failed;
    emit writeRequested(m_line, m_lineRecord, record);
    return m_writeAnswer == LineWrite::Written;
}

void TForm2::BitBtn1Click()
{
    if (m_uploading || !confirmLeave())
        return;
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        b->setEnabled(true);
    storePendingUpload();
    emit closedToLog();
    hide();
}

void TForm2::storePendingUpload()
{
    if (!UploadPending || m_uploading)
        return;
    // Rebuilt from the upload's values as the change form would build them;
    // a change form still open belonged to this QSO.
    QFile::remove(QStringLiteral("aenderung.adi"));
    emit changeFormDismissed();
    showChangedRecord(
        record::rebuild(m_uploadFields, record::Origin{m_uploadOriginal, &m_uploadShown}),
        m_uploadFields);
    // At the uploaded QSO's own line, whatever the grid selection is now.
    writeOpenedLine(SelectedRecord);
    // The uploaded QSO's record is stored; a later exit for another QSO must
    // not rebuild that line from these values again.
    UploadPending = false;
}

void TForm2::closeEvent(QCloseEvent* e)
{
    if (m_uploading) {
        e->ignore(); // the reply is still awaited
        return;
    }
    if (!confirmLeave()) {
        e->ignore();
        return;
    }
    // Closed by the window's own button: an upload's mark is stored as "exit"
    // would store it.
    storePendingUpload();
    QWidget::closeEvent(e);
}

void TForm2::BitBtn2Click()
{
    Aenderung_Speichern();
}

void TForm2::BitBtn4Click()
{
    if (m_uploading)
        return;
    storePendingUpload();
    UploadPending = false;
    emit changeRequested(SelectedRecord);
}

void TForm2::BitBtn5Click()
{
    // The deletion form takes the view's place: a change not saved is not
    // dropped unasked either.
    if (m_uploading || !confirmLeave())
        return;
    storePendingUpload();
    emit deleteRequested();
    hide();
}

void TForm2::updateTitle()
{
    const QString call = Panel3->text();
    setProperty("trTitle", QVariant()); // the title follows the QSO from here
    if (Edit1->text().isEmpty())
        setTrTitle(this, kContext, QT_TR_NOOP("QSO"));
    else if (call.isEmpty())
        setWindowTitle(tr("QSO %1").arg(Edit1->text()));
    else
        setWindowTitle(tr("QSO %1 – %2").arg(Edit1->text(), call));
}

void TForm2::showChangedRecord(const QByteArray& record, const EditFieldSet& f)
{
    SelectedRecord = record;
    BitBtn3->setEnabled(false);
    BitBtn4->setEnabled(false);
    BitBtn2->setFocus();
    auto text = [](const QByteArray& b) { return text::decode(b); };
    // Date and time stay those of the grid row.
    Panel1->setText(text(m_qso.date));
    Panel2->setText(text(m_qso.time));
    Panel3->setText(text(f.call));
    Panel4->setText(text(f.comment));
    Panel5->setText(text(f.band));
    Panel8->setText(text(f.rstSent));
    Panel9->setText(text(f.rstRcvd));
    Panel10->setText(text(f.freq));
    Panel11->setText(text(f.mode));
    Panel16->setText(text(f.locator));
    fitNames();
    showLamps(f);
}

void TForm2::showLamps(const EditFieldSet& f)
{
    setLamp(Panel13, f.eqslRcvd == "Y");
    if (f.eqslSent != "Y")
        setLamp(Panel12, false);
}

void TForm2::changeAssumed()
{
    m_unsavedChange = m_line >= 1 && SelectedRecord != m_lineRecord;
}

bool TForm2::confirmLeave()
{
    if (!m_unsavedChange || !isVisible())
        return true;
    showWindow(this);
    switch (dialogs().askSaveChanges(tr("Save the changes to QSO %1?").arg(Edit1->text()))) {
    case SaveChoice::Save:
        Aenderung_Speichern();
        return !m_unsavedChange;
    case SaveChoice::Discard:
        m_unsavedChange = false;
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}
