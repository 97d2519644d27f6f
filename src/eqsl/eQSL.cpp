#include "eqsl/eQSL.h"

#include "app/Dialogs.h"
#include "app/FormRegistry.h"
#include "app/KeyEdit.h"
#include "app/Screen.h"
#include "app/Widgets.h"
#include "eqsl/AccountScript.h"
#include "logdata/Cp1252.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace
{
constexpr int kFormColour = 12696492;
constexpr int kTeal = 0x808000;   // RGB 0,128,128
constexpr int kMaroon = 0x000080; // RGB 128,0,0

QLabel* label(QWidget* parent, const char* text, int x, int y, int px = 13)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setFont(designFont(QStringLiteral("MS Sans Serif"), px, true));
    l->move(x, y);
    l->adjustSize();
    return l;
}

Panel* accountPanel(QWidget* parent, int y)
{
    auto* p = new Panel(parent, QString(), Panel::Lowered);
    p->setGeometry(16, y, 768, 26);
    p->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    p->setFont(designFont(QStringLiteral("Courier New"), 12, true));
    p->setTextFormat(Qt::PlainText); // a password may hold "<"
    p->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return p;
}
} // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("eQSL Config"));
    setBackground(this, kFormColour);
    buildControls();
}

void TForm4::buildControls()
{
    Label10 = new QLabel(QStringLiteral("Vosmira"), this);
    Label10->setFont(designFont(QStringLiteral("Verdana"), 27, true));
    setTextColor(Label10, designColor(kTeal));
    Label10->move(16, 10);
    Label10->adjustSize();
    Label11 = label(this, "by Dranek", 190, 24, 12);

    Label9 = label(this, "your Account-Data for eQSL", 16, 64, 16);
    setTextColor(Label9, designColor(kMaroon));
    Label4 = label(this, "please sign in", 16, 90);

    Label1 = label(this, "eQSL Call:", 16, 128);
    Edit1 = new KeyEdit(this);
    Edit1->setGeometry(160, 124, 160, 24);
    Edit1->setUpperCase(true);
    Label5 = label(this, "press Enter", 332, 128);

    Label2 = label(this, "eQSL Password:", 16, 164);
    Edit2 = new KeyEdit(this);
    Edit2->setGeometry(160, 160, 240, 24);
    Label6 = label(this, "press Enter", 412, 164);
    for (KeyEdit* e : {Edit1, Edit2}) {
        e->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
        setTextColor(e, designColor(kTeal));
    }

    Label3 = label(this, "Account String for eQSL", 16, 206);
    Panel2 = accountPanel(this, 232);
    Panel3 = accountPanel(this, 262);

    Button1 =
        new QPushButton(QStringLiteral("Save the Account String to 'eqsl.bat' and EXIT"), this);
    Button1->setGeometry(16, 320, 420, 32);
    Button1->setAutoDefault(true);
    Button2 = new QPushButton(QStringLiteral("EXIT"), this);
    Button2->setGeometry(664, 320, 120, 32);
    Button2->setAutoDefault(true);

    Edit1->onKeyPress = [this](QChar& key) { Edit1KeyPress(key); };
    Edit2->onKeyPress = [this](QChar& key) { Edit2KeyPress(key); };
    // The call and password are the texts the fields show, confirmed or not.
    connect(Edit1, &QLineEdit::textChanged, this,
            [this] { G().EqslCall = Cp1252::fromUnicode(Edit1->text()).left(10); });
    connect(Edit2, &QLineEdit::textChanged, this,
            [this] { G().EqslPassword = Cp1252::fromUnicode(Edit2->text()).left(20); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    onEscape(this, [this] { Button2Click(); });
}

void TForm4::FormCreate()
{
    ProgramState& s = G();
    const QSize screen = screenSize();
    s.ScreenWidth = screen.width();
    s.ScreenHeight = screen.height();
    resize(800, 415);
    move((s.ScreenWidth / 2) / 2, (s.ScreenHeight / 2) / 2);
    Edit1->setText(Cp1252::toUnicode(s.EqslCall));
    Edit2->setText(Cp1252::toUnicode(s.EqslPassword));
}

void TForm4::Edit1KeyPress(QChar& key)
{
    if (key.unicode() == 13) {
        key = QChar(0);
        confirmed(Edit2);
    }
}

void TForm4::Edit2KeyPress(QChar& key)
{
    if (key.unicode() == 13) {
        key = QChar(0);
        confirmed(nullptr);
    }
}

// Enter in one of the fields: the settings are written and read back, the
// account string is composed anew, and the focus moves on.
void TForm4::confirmed(KeyEdit* next)
{
    ProgramState& s = G();
    saveAndReloadConfig(s);
    if (TForm1* main = Forms().Form1)
        main->reportConfigProblem();
    EQSL_Bat();
    if (TForm1* main = Forms().Form1)
        main->Init();
    if (next)
        next->setFocus();
    else
        Button1->setFocus();
}

void TForm4::EQSL_Bat()
{
    ProgramState& s = G();
    const eqsl::AccountString a =
        eqsl::composeAccountString(s.EqslCall, s.EqslPassword, eqsl::importEndpoint());
    s.EqslCommandLine = a.commandLine;
    m_firstHalf = a.firstHalf;
    m_secondHalf = a.secondHalf;
    Panel2->setCaption(Cp1252::toUnicode(m_firstHalf));
    Panel3->setCaption(Cp1252::toUnicode(m_secondHalf));
}

void TForm4::Speichern()
{
    // Holds the password: readable by the operator only. A write error is not
    // reported; the form closes all the same.
    eqsl::writeScriptFile(QDir::current().filePath(QStringLiteral("eqsl.bat")),
                          G().EqslCommandLine);
}

void TForm4::Button1Click()
{
    // What is saved is the account the fields show, also when the last
    // entry was not confirmed with Enter.
    const ProgramState& s = G();
    if (!s.EqslCall.isEmpty() || !s.EqslPassword.isEmpty())
        EQSL_Bat();
    if (G().EqslCommandLine.isEmpty()) {
        // Nothing composed in this run: an existing script keeps its account.
        dialogs().showMessage(
            QStringLiteral("No Account String has been made yet (type the eQSL Call and the "
                           "eQSL Password, each confirmed with Enter): 'eqsl.bat' was left "
                           "unchanged."));
    } else {
        Speichern();
    }
    hide();
}

void TForm4::Button2Click()
{
    hide();
}
