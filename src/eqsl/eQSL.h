#pragma once
// The eQSL account form: the operator types the eQSL call and password, the
// form composes the curl command line that uploads eqsl.adi (the account
// string), shows it and saves it into the upload script eqsl.bat.
#include <QWidget>

class QLabel;
class QPushButton;
class KeyEdit;
class Panel;

class TForm4 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Once, when the program creates its forms.
    void FormCreate();
    // Composes the account string from the call and password and shows it.
    void EQSL_Bat();
    // Writes eqsl.bat from the account string.
    void Speichern();

    void Edit1KeyPress(QChar& key);
    void Edit2KeyPress(QChar& key);
    void Button1Click(); // save and close
    void Button2Click(); // close

    KeyEdit* Edit1 = nullptr; // eQSL call
    KeyEdit* Edit2 = nullptr; // eQSL password
    Panel* Panel2 = nullptr;  // the account string, first half
    Panel* Panel3 = nullptr;  // the account string, second half
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;

    // The account as typed (call cut to 10, password to 20 characters) and
    // the command line composed from it for eqsl.bat.
    QByteArray EqslCall;
    QByteArray EqslPassword;
    QByteArray EqslCommandLine;

signals:
    // The settings were written (the main window tells of a failure).
    void settingsSaved();
    // The grid is to be reset (its search result dropped).
    void gridResetWanted();

private:
    void buildControls();
    void confirmed(KeyEdit* next);
    QByteArray m_firstHalf;  // shown in Panel2
    QByteArray m_secondHalf; // shown in Panel3
};
