#include "mainwin/start.h"

#include "logdata/Settings.h"
#include "logdata/State.h"
#include "widgets/Screen.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TStartForm::TStartForm(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Vosmira"));
    setBackground(this, 12696492);
    Label1 = new QLabel(this);
    setTrText(Label1, "TStartForm", QT_TRANSLATE_NOOP("TStartForm", "Screen"));
    Label1->setGeometry(200, 180, 60, 16);
    setTextColor(Label1, Qt::gray);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(264, 176, 50, 21);
    Label2 = new QLabel(QStringLiteral("x"), this);
    markAsValue(this); // never shown; its title is the program's name
    markAsValue(Label2);
    Label2->setGeometry(320, 180, 10, 16);
    setTextColor(Label2, Qt::gray);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(334, 176, 50, 21);
    for (QLineEdit* e : {Edit1, Edit2}) {
        e->setReadOnly(true);
        setTextColor(e, Qt::gray);
    }
}

void TStartForm::FormCreate()
{
    ProgramState& s = G();
    const QSize screen = screenSize();
    resize(610, 413);
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    Load_Config(s);
    Edit1->setText(QString::number(screen.height()));
    Edit2->setText(QString::number(screen.width()));
    s.SearchView = 0;
    s.DisplayFormat = 0;
    // The stored count is only shown: the logbook's table is sized from the
    // file (a wrong or huge count in a config.dat that cannot be rewritten
    // must not exhaust memory).
    s.StartQsoCount = s.StoredQsoCount;
}
