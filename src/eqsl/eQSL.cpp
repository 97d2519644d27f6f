#include "eqsl/eQSL.h"

#include "eqsl/AccountScript.h"
#include "logdata/Cp1252.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace
{
constexpr int kFormColour = 12696492;
constexpr int kTeal = 0x808000;   // RGB 0,128,128
constexpr int kMaroon = 0x000080; // RGB 128,0,0

const char* const kContext = "TForm4";

QLabel* label(QWidget* parent, const char* text, int x, int y, int px = 13)
{
    auto* l = new QLabel(parent);
    l->setFont(designFont(QStringLiteral("MS Sans Serif"), px, true));
    l->move(x, y);
    l->setProperty("trAdjustSize", true);
    setTrText(l, kContext, text);
    return l;
}

// The password as the account lines show it: "••••" in Windows-1252. The
// lines are composed with a stand-in of plain letters in its place, which
// the dots then replace.
const QByteArray kHiddenPassword(4, '\x95');
const QByteArray kPasswordStandIn = "VosmiraPasswordStandIn";

Panel* accountPanel(QWidget* parent, int y)
{
    auto* p = new Panel(parent, QString(), Panel::Lowered);
    markAsValue(p); // the account string
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
    setTrTitle(this, kContext, QT_TRANSLATE_NOOP("TForm4", "eQSL account"));
    setBackground(this, kFormColour);
    buildControls();
}

void TForm4::buildControls()
{
    Label10 = new QLabel(QStringLiteral("Vosmira"), this);
    markAsValue(Label10);
    Label10->setFont(designFont(QStringLiteral("Verdana"), 27, true));
    setTextColor(Label10, designColor(kTeal));
    Label10->move(16, 10);
    Label10->adjustSize();
    Label11 = label(this, QT_TRANSLATE_NOOP("TForm4", "by Dranek"), 190, 24, 12);

    Label9 = label(this, QT_TRANSLATE_NOOP("TForm4", "Your eQSL account"), 16, 64, 16);
    setTextColor(Label9, designColor(kMaroon));
    Label4 = label(this, QT_TRANSLATE_NOOP("TForm4", "Please sign in"), 16, 90);

    Label1 = label(this, QT_TRANSLATE_NOOP("TForm4", "eQSL call:"), 16, 128);
    Edit1 = new KeyEdit(this);
    Edit1->setGeometry(160, 124, 160, 24);
    Edit1->setUpperCase(true);
    Label5 = label(this, QT_TRANSLATE_NOOP("TForm4", "press Enter"), 332, 128);

    Label2 = label(this, QT_TRANSLATE_NOOP("TForm4", "eQSL password:"), 16, 164);
    Edit2 = new KeyEdit(this);
    Edit2->setGeometry(160, 160, 240, 24);
    Edit2->setEchoMode(QLineEdit::Password); // shown as dots
    Label6 = label(this, QT_TRANSLATE_NOOP("TForm4", "press Enter"), 412, 164);
    for (KeyEdit* e : {Edit1, Edit2}) {
        e->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
        setTextColor(e, designColor(kTeal));
    }

    Label3 = label(this, QT_TRANSLATE_NOOP("TForm4", "Account string for eQSL"), 16, 206);
    Panel2 = accountPanel(this, 232);
    Panel3 = accountPanel(this, 262);

    Button1 = new QPushButton(this);
    setTrText(Button1, kContext,
              QT_TRANSLATE_NOOP("TForm4", "Save the account to 'eqsl.bat' and exit"));
    Button1->setGeometry(16, 320, 420, 32);
    Button1->setAutoDefault(true);
    Button2 = new QPushButton(this);
    setTrText(Button2, kContext, QT_TRANSLATE_NOOP("TForm4", "Exit"));
    Button2->setGeometry(664, 320, 120, 32);
    Button2->setAutoDefault(true);

    Edit1->onKeyPress = [this](QChar& key) { Edit1KeyPress(key); };
    Edit2->onKeyPress = [this](QChar& key) { Edit2KeyPress(key); };
    // The call and password are the texts the fields show, confirmed or not.
    connect(Edit1, &QLineEdit::textChanged, this,
            [this] { EqslCall = Cp1252::fromUnicode(Edit1->text()).left(10); });
    connect(Edit2, &QLineEdit::textChanged, this,
            [this] { EqslPassword = Cp1252::fromUnicode(Edit2->text()).left(20); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    onEscape(this, [this] { Button2Click(); });
}

void TForm4::FormCreate()
{
    const QSize screen = screenSize();
    resize(800, 415);
    move((screen.width() / 2) / 2, (screen.height() / 2) / 2);
    Edit1->setText(Cp1252::toUnicode(EqslCall));
    Edit2->setText(Cp1252::toUnicode(EqslPassword));
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
    emit settingsSaved();
    EQSL_Bat();
    emit gridResetWanted();
    if (next)
        next->setFocus();
    else
        Button1->setFocus();
}

void TForm4::EQSL_Bat()
{
    const eqsl::AccountString a =
        eqsl::composeAccountString(EqslCall, EqslPassword, eqsl::importEndpoint());
    EqslCommandLine = a.commandLine;
    // The lines shown hold the password as dots, never in clear.
    const eqsl::AccountString shown = eqsl::composeAccountString(
        EqslCall, EqslPassword.isEmpty() ? QByteArray() : kPasswordStandIn, eqsl::importEndpoint());
    m_firstHalf = QByteArray(shown.firstHalf).replace(kPasswordStandIn, kHiddenPassword);
    m_secondHalf = QByteArray(shown.secondHalf).replace(kPasswordStandIn, kHiddenPassword);
    Panel2->setCaption(Cp1252::toUnicode(m_firstHalf));
    Panel3->setCaption(Cp1252::toUnicode(m_secondHalf));
}

void TForm4::Speichern()
{
    // Holds the password: readable by the operator only. A write error is not
    // reported; the form closes all the same.
    eqsl::writeScriptFile(QDir::current().filePath(QStringLiteral("eqsl.bat")), EqslCommandLine);
}

void TForm4::Button1Click()
{
    // What is saved is the account the fields show, also when the last
    // entry was not confirmed with Enter. An account without a call or a
    // password would only fail at the next upload: an existing script keeps
    // its account, and the form stays open to complete it.
    if (EqslCall.trimmed().isEmpty() || EqslPassword.isEmpty()) {
        dialogs().showError(tr("Please type the eQSL call and the eQSL password before saving. "
                               "'eqsl.bat' was left unchanged."));
        (EqslCall.trimmed().isEmpty() ? Edit1 : Edit2)->setFocus();
        return;
    }
    // The script holds the password on one line: a line break cannot be part
    // of it, and is not dropped silently either.
    if (EqslPassword.contains('\n') || EqslPassword.contains('\r')) {
        dialogs().showError(tr("The eQSL password holds a line break, which cannot be saved. "
                               "Please type it again. 'eqsl.bat' was left unchanged."));
        Edit2->setFocus();
        return;
    }
    EQSL_Bat();
    Speichern();
    hide();
}

void TForm4::Button2Click()
{
    hide();
}
