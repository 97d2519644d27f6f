#include "app/WindowFactory.h"

#include "country/CountrySource.h"
#include "dxcc/CountryFileDownload.h"
#include "dxcc/DxccLog.h"
#include "dxcc/DxccWindow.h"
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
#include "qslwin/QslWindow.h"
#include "settings/config.h"
#include "widgets/Delay.h"
#include "widgets/Widgets.h"

#include <QDir>

#include <memory>

WindowFactory& windows()
{
    static WindowFactory factory;
    return factory;
}

namespace
{
template <typename T> T* create(T*& slot, QWidget* owner = nullptr)
{
    slot = new T();
    // Forms placed from the main window's grid learn its size first.
    if constexpr (requires { slot->setGridSize(QSize()); })
        if (auto* main = qobject_cast<TForm1*>(owner))
            slot->setGridSize(main->gridSize());
    // The secondary forms belong to the main window as its dialogs: the
    // window manager keeps them above it (they are transient for it), so a
    // click into the grid never buries them.
    if (owner)
        slot->setParent(owner, (slot->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    slot->FormCreate();
    return slot;
}

// The main window's requests: the other windows it opens.
void connectMainWindow(const WindowFactory& f)
{
    TForm1* main = f.Form1;
    TForm2* view = f.Form2;
    // A change taken over in the view and not saved is not lost unasked.
    main->setLeaveCheck([view] { return view->confirmLeave(); });
    QObject::connect(main, &TForm1::openQsoRequested, view, [main, view, change = f.Form3] {
        // Nothing is opened while an upload runs. A QSO uploaded from the
        // view that is still open is stored first, at its own line, before
        // another QSO takes the view; a change form still open belonged to
        // it as well.
        if (view->uploading() || !view->confirmLeave())
            return;
        view->storePendingUpload();
        change->hide();
        main->openHighlightedRow();
    });
    QObject::connect(main, &TForm1::qsoOpened, view,
                     [view, del = f.Form8](const SelectedQsoSet& qso, int line) {
                         del->open(qso, line);
                         view->open(qso, line);
                     });
    QObject::connect(main, &TForm1::configurationRequested, f.Configuration, &TConfiguration::Open);
    QObject::connect(main, &TForm1::printRequested, f.Form5, &TForm5::Start_Druck);
    QObject::connect(main, &TForm1::newQsoRequested, f.Form7, &TForm7::Open);
}

// The view and the forms it leads to.
void connectView(const WindowFactory& f)
{
    TForm1* main = f.Form1;
    TForm2* view = f.Form2;
    TForm3* change = f.Form3;
    TForm8* del = f.Form8;
    view->setPlacedFrom(f.Form7);
    QObject::connect(view, &TForm2::lineOpened, del, &TForm8::setOpenedLine);
    QObject::connect(view, &TForm2::lineRewritten, del, &TForm8::lineRewritten);
    QObject::connect(view, &TForm2::writeRequested, main,
                     [main, view](int line, const QByteArray& expected, const QByteArray& record) {
                         view->writeAnswered(main->writeLine(line, expected, record));
                     });
    QObject::connect(view, &TForm2::mainWindowWanted, main, &QWidget::show);
    QObject::connect(view, &TForm2::closedToLog, main, [main] { main->showLogAgain(true); });
    QObject::connect(view, &TForm2::changeRequested, change, &TForm3::open);
    QObject::connect(view, &TForm2::deleteRequested, del, [del] { showWindow(del); });
    QObject::connect(view, &TForm2::changeFormDismissed, change, &QWidget::hide);
    // While an upload script runs, the main window takes no input: opening
    // another QSO from the grid now would make the exit store this QSO's
    // record on that line.
    auto mainWasEnabled = std::make_shared<bool>(false);
    QObject::connect(view, &TForm2::uploadRunning, main, [main, mainWasEnabled](bool running) {
        if (running) {
            *mainWasEnabled = main->isEnabled();
            main->setEnabled(false);
        } else if (*mainWasEnabled) {
            main->setEnabled(true);
        }
    });

    // The change form.
    change->setLeaveCheck([view] { return view->confirmLeave(); });
    QObject::connect(change, &TForm3::recordBuilt, view, &TForm2::showChangedRecord);
    QObject::connect(change, &TForm3::changeTaken, view, &TForm2::changeAssumed);
    QObject::connect(change, &TForm3::closedToLog, main, [main, view] {
        main->showLogAgain(true, true);
        view->hide();
    });

    // The deletion form and its confirmation.
    QObject::connect(del, &TForm8::confirmationRequested, f.Form9,
                     [confirm = f.Form9] { showWindow(confirm); });
    // Its record is always the deleted-QSO placeholder: the logbook deletes.
    QObject::connect(del, &TForm8::writeRequested, main,
                     [main, del](int line, const QByteArray& expected, const QByteArray&) {
                         del->writeAnswered(main->deleteLine(line, expected));
                     });
    QObject::connect(del, &TForm8::closedToLog, main, [main, entry = f.Form7](bool reload) {
        main->showLogAgain(reload);
        entry->hide();
    });
    QObject::connect(f.Form9, &TForm9::confirmed, del, &TForm8::Del_Speichern);
    QObject::connect(f.Form9, &TForm9::cancelled, del, &QWidget::hide);
}

// The new-QSO form.
void connectNewQso(const WindowFactory& f)
{
    TForm1* main = f.Form1;
    TForm7* entry = f.Form7;
    QObject::connect(entry, &TForm7::recordBuilt, f.Form2, &TForm2::showLamps);
    QObject::connect(entry, &TForm7::appendRequested, main,
                     [main, entry](const QByteArray& record) {
                         entry->appendAnswered(main->appendLine(record));
                     });
    QObject::connect(entry, &TForm7::saved, main, [main](bool written) {
        // When the rewrite did not succeed the main window has already told
        // the operator and reloaded what is on disk.
        main->showLogAgain(written);
    });
    // "Close" leaves the view as well.
    QObject::connect(entry, &TForm7::closed, main, [main, view = f.Form2] {
        main->showLogAgain(false, true);
        view->hide();
    });
}

// The settings and the eQSL account.
void connectSettings(const WindowFactory& f)
{
    TForm1* main = f.Form1;
    QObject::connect(f.Configuration, &TConfiguration::settingsSaved, main,
                     &TForm1::reportConfigProblem);
    QObject::connect(f.Configuration, &TConfiguration::gridResetWanted, main, &TForm1::Init);
    QObject::connect(f.Configuration, &TConfiguration::returnedToLog, main,
                     &TForm1::returnFromSettings);
    QObject::connect(f.Configuration, &TConfiguration::accountRequested, f.Form4,
                     [account = f.Form4] { showWindow(account); });
    QObject::connect(f.Form4, &TForm4::settingsSaved, main, &TForm1::reportConfigProblem);
    QObject::connect(f.Form4, &TForm4::gridResetWanted, main, &TForm1::Init);
}

// The QSL window: its marks go into the main window's logbook, whose rows
// the main window reads again.
void connectQsl(const WindowFactory& f)
{
    f.Qsl->setLogbook(f.Form1->logbook());
    QObject::connect(f.Form1, &TForm1::qslRequested, f.Qsl, &QslWindow::open);
}

// The countries: the view, the new-QSO form and the DXCC window share one
// table over the log; a downloaded country file is used at once.
void connectCountries(const WindowFactory& f)
{
    DxccLog* countries = f.Countries;
    f.Form2->setCountries(countries);
    f.Form7->setCountries(countries);
    f.Dxcc->setData(countries);
    QObject::connect(f.Form1, &TForm1::dxccRequested, f.Dxcc, &DxccWindow::Open);
    // A log loaded anew from another path.
    QObject::connect(f.Configuration, &TConfiguration::returnedToLog, countries,
                     &DxccLog::logReloaded);
    QObject::connect(f.Configuration->CountryFile, &CountryFilePanel::countryFileReplaced,
                     countries, [] { useWorkingDirectoryCountries(); });
}
} // namespace

void useCountrySource(country::CountrySource source)
{
    WindowFactory& f = windows();
    if (!f.Countries)
        return;
    if (!source.problems.isEmpty() && f.Form1)
        f.Form1->showStatus(source.problems.join(QLatin1Char(' ')));
    f.Countries->setSource(std::move(source));
}

void createAllForms()
{
    WindowFactory& f = windows();
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
    create(f.Qsl, main);
    f.Countries = new DxccLog(f.Form1->logbook(), f.Form1);
    create(f.Dxcc, main);
    // The forms that read the logbook read the main window's.
    f.Form2->setLogbook(f.Form1->logbook());
    f.Form7->setLogbook(f.Form1->logbook());
    connectMainWindow(f);
    connectView(f);
    connectNewQso(f);
    connectSettings(f);
    connectQsl(f);
    connectCountries(f);
}

void destroyAllForms()
{
    WindowFactory& f = windows();
    delete f.Qsl;
    delete f.Dxcc;
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
    f = WindowFactory();
}

void useWorkingDirectoryCountries()
{
    useCountrySource(country::loadCountrySource(QDir::currentPath()));
}
