#include "editing/del_qso.h"

#include "logdata/State.h"
#include "logdata/TextCodec.h"
#include "widgets/Dialogs.h"
#include "widgets/Screen.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QLabel>
#include <QPushButton>

namespace
{
const char* const kContext = "TForm8";
constexpr int kFormColor = 179 + 256 * 179; // RGB 179,179,0
constexpr int kWhite = 0xFFFFFF;
constexpr int kMaroon = 0x000080;
constexpr int kBlue = 0xFF0000;
} // namespace

static_assert(kDeletedRecord.size() == 221);

TForm8::TForm8()
{
    setTrTitle(this, kContext, QT_TR_NOOP("Delete QSO"));
    setBackground(this, kFormColor);
    const QFont labelFont = designFont(QStringLiteral("Verdana"), 16, true);
    int y = 24;
    auto row = [this, &labelFont, &y](const char* caption) {
        auto* l = new QLabel(this);
        setTrText(l, kContext, caption);
        l->setFont(labelFont);
        l->setGeometry(40, y + 4, 220, 24);
        auto* p = new Panel(this, QString(), Panel::Lowered);
        markAsValue(p);
        p->setGeometry(270, y, 250, 32);
        p->setFont(designFont(QStringLiteral("Verdana"), 16, true));
        setBackground(p, kWhite);
        y += 38;
        return p;
    };
    Panel3 = row(QT_TR_NOOP("Selected row"));
    Panel3->setFont(designFont(QStringLiteral("Verdana"), 16, true, true));
    setTextColor(Panel3, designColor(kMaroon));
    Panel1 = row(QT_TR_NOOP("Call"));
    Panel1->setFont(designFont(QStringLiteral("Verdana"), 19, true));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setTextColor(Panel1, designColor(kBlue));
    Panel2 = row(QT_TR_NOOP("Date"));
    Panel4 = row(QT_TR_NOOP("Time"));
    Panel5 = row(QT_TR_NOOP("Band"));
    Panel6 = row(QT_TR_NOOP("RST sent"));
    Panel7 = row(QT_TR_NOOP("RST rcvd"));
    Panel8 = row(QT_TR_NOOP("Mode"));

    Button1 = new QPushButton(this);
    setTrText(Button1, kContext, QT_TR_NOOP("Delete!"));
    Button1->setGeometry(100, y + 10, 176, 40);
    Button2 = new QPushButton(this);
    setTrText(Button2, kContext, QT_TR_NOOP("Cancel"));
    Button2->setGeometry(300, y + 10, 176, 40);
    for (QPushButton* b : {Button1, Button2}) {
        b->setFont(designFont(QStringLiteral("MS Sans Serif"), 19, true));
        b->setAutoDefault(true);
    }
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    // Cancel and Escape leave it, deleting nothing.
    connect(Button2, &QPushButton::clicked, this, [this] { hide(); });
    onEscape(this, [this] { hide(); });
}

void TForm8::FormCreate()
{
    const QSize screen = screenSize();
    resize(576, 389);
    move(screen.width() / 2 - 288, screen.height() / 2 - 231);
}

void TForm8::Button1Click()
{
    emit confirmationRequested();
}

void TForm8::open(const SelectedQsoSet& q, int line)
{
    auto text = [](const QByteArray& b) { return text::decode(b); };
    Panel3->setText(QString::number(line));
    Panel1->setText(text(q.call));
    Panel2->setText(text(q.date));
    Panel4->setText(text(q.time));
    Panel5->setText(text(q.band));
    Panel6->setText(text(q.rstSent));
    Panel7->setText(text(q.rstRcvd));
    Panel8->setText(text(q.mode));
}

void TForm8::lineRewritten(int line, const QByteArray& record)
{
    if (line == m_line)
        setOpenedLine(line, record);
}

void TForm8::setOpenedLine(int line, const QByteArray& record)
{
    m_line = line;
    m_lineRecord = record;
}

void TForm8::Del_Speichern()
{
    // The line deleted is the one whose QSO this form shows, whatever the
    // grid selection did since; only a record line, never the header.
    bool written = false;
    if (m_line >= 1) {
        if (!Save_Array_2()) {
            if (m_writeAnswer == LineWrite::Moved) {
                hide();
                return;
            }
        } else {
            written = true;
            m_lineRecord = kDeletedRecord.toByteArray();
        }
    }
    // A rewrite that did not succeed has been reported and the log
    // reloaded by the main window.
    emit closedToLog(written);
    hide();
}

bool TForm8::Save_Array_2()
{
    m_writeAnswer = LineWrite::Failed;
    emit writeRequested(m_line, m_lineRecord, kDeletedRecord.toByteArray());
    return m_writeAnswer == LineWrite::Written;
}
