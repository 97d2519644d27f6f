#pragma once
// The program's windows. The factory creates them once at start-up, in the
// order the program needs them, and connects what one window asks for to the
// window or data operation that answers it; no window knows another. The
// windows live until the program ends.
class TForm1;
class TForm2;
class TConfiguration;
class TForm3;
class TStartForm;
class TForm4;
class TForm5;
class TForm7;
class TForm8;
class TForm9;
class QslWindow;
class DxccLog;
class DxccWindow;
namespace country
{
struct CountrySource;
}

struct WindowFactory {
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TConfiguration* Configuration = nullptr;
    TForm3* Form3 = nullptr;
    TStartForm* StartForm = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TForm7* Form7 = nullptr;
    TForm8* Form8 = nullptr;
    TForm9* Form9 = nullptr;
    QslWindow* Qsl = nullptr; // eQSL and LoTW
    // The countries and the DXCC table over the log, and their window.
    DxccLog* Countries = nullptr;
    DxccWindow* Dxcc = nullptr;
};

// The windows created, for the program's end and for the tests.
WindowFactory& windows();

// Creates every window in start-up order (the main window first, which loads
// the settings and the logbook) and connects them. Used by the program and
// by the form tests.
void createAllForms();
void destroyAllForms();

// The countries the windows use from now on (at start: the country file of
// the working directory or of the hamradio-files package, else the built-in
// table). A file that was passed over is named in the main window's status line.
void useCountrySource(country::CountrySource source);
// The same with the countries the program starts with: cty.csv in the working
// directory, else the hamradio-files package's, else the built-in table.
void useWorkingDirectoryCountries();
