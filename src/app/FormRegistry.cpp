#include "app/FormRegistry.h"

#include "widgets/Delay.h"
#include "widgets/Widgets.h"

#include "editing/auswahl_select.h"
#include "editing/del_qso.h"
#include "editing/eingabe.h"
#include "editing/message_del.h"
#include "editing/new_call.h"
#include "eqsl/ScriptRunner.h"
#include "eqsl/eQSL.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/start.h"
#include "printing/Drucken.h"
#include "settings/config.h"

FormRegistry& Forms()
{
    static FormRegistry registry;
    return registry;
}

namespace
{
template <typename T> T* create(T*& slot, QWidget* owner = nullptr)
{
    slot = new T();
    // The secondary forms belong to the main window as its dialogs: the
    // window manager keeps them above it (they are transient for it), so a
    // click into the grid never buries them.
    if (owner)
        slot->setParent(owner, (slot->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    slot->FormCreate();
    return slot;
}
} // namespace

void createAllForms()
{
    FormRegistry& f = Forms();
    installFontSubstitutes();
    // An upload script still running when the main window closes is stopped.
    eqsl::platformScriptRunner().setStopRequested(&applicationTerminating);
    // The main window is first: creating it loads the settings and the
    // logbook and shows the grid.
    create(f.Form1);
    QWidget* main = f.Form1;
    create(f.Form2, main);
    create(f.Configuration, main);
    create(f.Form3, main);
    create(f.StartForm, main);
    create(f.Form4, main);
    create(f.Form5, main);
    create(f.Form7, main);
    create(f.Form8, main);
    create(f.Form9, main);
}

void destroyAllForms()
{
    FormRegistry& f = Forms();
    delete f.Form9;
    delete f.Form8;
    delete f.Form7;
    delete f.Form5;
    delete f.Form4;
    delete f.StartForm;
    delete f.Form3;
    delete f.Configuration;
    delete f.Form2;
    delete f.Form1;
    f = FormRegistry();
}
