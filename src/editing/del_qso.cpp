#include "editing/del_qso.h"

#include "app/Dialogs.h"
#include "app/FormRegistry.h"
#include "app/Screen.h"
#include "app/Widgets.h"
#include "editing/OpenedLine.h"
#include "editing/message_del.h"
#include "editing/new_call.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"

#include <QLabel>
#include <QPushButton>

namespace
{
constexpr int kFormColor = 179 + 256 * 179; // RGB 179,179,0
constexpr int kWhite = 0xFFFFFF;
constexpr int kMaroon = 0x000080;
constexpr int kBlue = 0xFF0000;
} // namespace

static_assert(kDeletedRecord.size() == 221);

TForm8::TForm8()
{
    setWindowTitle(QStringLiteral("Vosmira"));
    setBackground(this, kFormColor);
    const QFont labelFont = designFont(QStringLiteral("Verdana"), 16, true);
    int y = 24;
    auto row = [this, &labelFont, &y](const char* caption) {
        auto* l = new QLabel(QString::fromUtf8(caption), this);
        l->setFont(labelFont);
        l->setGeometry(40, y + 4, 220, 24);
        auto* p = new Panel(this, QString(), Panel::Lowered);
        p->setGeometry(270, y, 250, 32);
        p->setFont(designFont(QStringLiteral("Verdana"), 16, true));
        setBackground(p, kWhite);
        y += 38;
        return p;
    };
    Panel3 = row("ausgewählte Zeile");
    Panel3->setFont(designFont(QStringLiteral("Verdana"), 16, true, true));
    setTextColor(Panel3, designColor(kMaroon));
    Panel1 = row("Call");
    Panel1->setFont(designFont(QStringLiteral("Verdana"), 19, true));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setTextColor(Panel1, designColor(kBlue));
    Panel2 = row("Datum");
    Panel4 = row("Zeit");
    Panel5 = row("Band");
    Panel6 = row("RST send");
    Panel7 = row("RST empf");
    Panel8 = row("Mode");

    Button1 = new QPushButton(QStringLiteral("Löschen!"), this);
    Button1->setGeometry(200, y + 10, 176, 40);
    Button1->setFont(designFont(QStringLiteral("MS Sans Serif"), 19, true));
    Button1->setAutoDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onEscape(this, [this] { hide(); }); // it has no exit button: Escape leaves it
}

void TForm8::FormCreate()
{
    ProgramState& s = G();
    const QSize screen = screenSize();
    s.ScreenWidth = screen.width();
    s.ScreenHeight = screen.height();
    resize(576, 389);
    move(s.ScreenWidth / 2 - 288, s.ScreenHeight / 2 - 231);
}

void TForm8::Button1Click()
{
    if (TForm9* confirm = Forms().Form9)
        showWindow(confirm);
}

void TForm8::setOpenedLine(int line, const QByteArray& record)
{
    m_line = line;
    m_lineRecord = record;
}

void TForm8::Del_Speichern()
{
    ProgramState& s = G();
    // The line deleted is the one whose QSO this form shows, whatever the
    // grid selection did since; only a record line, never the header.
    bool written = false;
    if (m_line >= 1) {
        if (!lineStillHolds(s, m_line, m_lineRecord)) {
            dialogs().showError(lineMovedText(false));
            hide();
            return;
        }
        s.LogLines.set(m_line + 1, kDeletedRecord.toByteArray());
        written = Save_Array_2();
        if (written)
            m_lineRecord = kDeletedRecord.toByteArray();
    }
    if (TForm1* main = Forms().Form1) {
        // A rewrite that did not succeed has been reported and the log
        // reloaded by the main window.
        if (written)
            main->LoadLogbook();
        main->StringGrid1->show();
        main->ScrollGridToBottom();
    }
    if (TForm7* entry = Forms().Form7)
        entry->hide();
    hide();
}

bool TForm8::Save_Array_2()
{
    ProgramState& s = G();
    const RewriteOutcome outcome = rewriteLogbook(s, s.LoadedLineCount);
    if (TForm1* main = Forms().Form1)
        return main->ReportRewrite(outcome);
    return outcome.result == RewriteResult::Written;
}
