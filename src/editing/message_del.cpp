#include "editing/message_del.h"

#include "logdata/State.h"
#include "widgets/Screen.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QLabel>
#include <QPushButton>

TForm9::TForm9()
{
    setTrTitle(this, "TForm9", QT_TR_NOOP("Delete QSO?"));
    const QFont font = designFont(QStringLiteral("MS Sans Serif"), 13, true);
    auto label = [this, &font](const char* text, int y) {
        auto* l = new QLabel(this);
        setTrText(l, "TForm9", text);
        l->setFont(font);
        l->setGeometry(24, y, 380, 40);
        l->setWordWrap(true);
        return l;
    };
    Label1 = label(QT_TR_NOOP("Attention! To delete this QSO, press:"), 60);
    SpeedButton1 = new QPushButton(this);
    setTrText(SpeedButton1, "TForm9", QT_TR_NOOP("DELETE"));
    SpeedButton1->setGeometry(420, 62, 120, 36);
    SpeedButton1->setFont(font);
    setTextColor(SpeedButton1, designColor(0x0000FF));
    Label2 = label(QT_TR_NOOP("These data will be deleted permanently!"), 120);
    Label3 = label(QT_TR_NOOP("To delete nothing, press:"), 200);
    SpeedButton2 = new QPushButton(this);
    setTrText(SpeedButton2, "TForm9", QT_TR_NOOP("CANCEL"));
    SpeedButton2->setGeometry(420, 202, 120, 36);
    SpeedButton2->setFont(designFont(QStringLiteral("MS Sans Serif"), 16, true));
    setTextColor(SpeedButton2, designColor(0xFF0000));
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    onEscape(this, [this] { SpeedButton2Click(); });
}

void TForm9::FormCreate()
{
    const QSize screen = screenSize();
    resize(570, 380);
    move(screen.width() / 2 - 284, screen.height() / 2 - 227);
}

void TForm9::SpeedButton1Click()
{
    emit confirmed();
    hide();
}

void TForm9::SpeedButton2Click()
{
    hide();
    emit cancelled();
}
