#pragma once
// The program's forms. They are created once at start-up, in the order the
// program needs them, and live until it ends; forms reach each other here.
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

struct FormRegistry {
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
};

FormRegistry& Forms();

// Creates every form in start-up order (the main window first, which loads the
// settings and the logbook). Used by the program and by the form tests.
void createAllForms();
void destroyAllForms();
