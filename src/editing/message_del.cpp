#include "editing/message_del.h"

#include "app/FormRegistry.h"
#include "app/Screen.h"
#include "app/Widgets.h"
#include "editing/del_qso.h"
#include "logdata/State.h"

#include <QLabel>
#include <QPushButton>

TForm9::TForm9()
{
    setWindowTitle(QStringLiteral("QSO delete"));
    const QFont font = designFont(QStringLiteral("MS Sans Serif"), 13, true);
    auto label = [this, &font](const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->setFont(font);
        l->setGeometry(24, y, 380, 40);
        l->setWordWrap(true);
        return l;
    };
    Label1 = label(
        QStringLiteral("Achtung!  wenn sie dieses QSO löschen wollen dann drücken sie auf: "), 60);
    SpeedButton1 = new QPushButton(QStringLiteral("LÖSCHEN"), this);
    SpeedButton1->setGeometry(420, 62, 120, 36);
    SpeedButton1->setFont(font);
    setTextColor(SpeedButton1, designColor(0x0000FF));
    Label2 = label(QStringLiteral("diese Daten werden Dauerhaft gelösch !!"), 120);
    Label3 = label(QStringLiteral("wenn Sie nichts löschen wollen drücken sie auf: "), 200);
    SpeedButton2 = new QPushButton(QStringLiteral("BEENDEN"), this);
    SpeedButton2->setGeometry(420, 202, 120, 36);
    SpeedButton2->setFont(designFont(QStringLiteral("MS Sans Serif"), 16, true));
    setTextColor(SpeedButton2, designColor(0xFF0000));
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    onEscape(this, [this] { SpeedButton2Click(); });
}

void TForm9::FormCreate()
{
    ProgramState& s = G();
    const QSize screen = screenSize();
    s.ScreenWidth = screen.width();
    s.ScreenHeight = screen.height();
    resize(570, 380);
    move(s.ScreenWidth / 2 - 284, s.ScreenHeight / 2 - 227);
}

void TForm9::SpeedButton1Click()
{
    if (TForm8* del = Forms().Form8)
        del->Del_Speichern();
    hide();
}

void TForm9::SpeedButton2Click()
{
    hide();
    if (TForm8* del = Forms().Form8)
        del->hide();
}
