#pragma once
// The configuration dialog: the operator's station data, the standard comment
// sent with eQSL uploads, the log path and the language. Every field is
// confirmed with Enter, which writes config.dat at once; Enter in the log
// path (or the exit button) returns to the reloaded log. The gear picture
// opens the eQSL account form.
#include "logdata/State.h"

#include <QWidget>

#include <vector>

class CountryFilePanel;
class QComboBox;
class QLabel;
class QPushButton;
class KeyEdit;
class PictureBox;

class TConfiguration : public QWidget
{
    Q_OBJECT
public:
    explicit TConfiguration(QWidget* parent = nullptr);

    // Once, when the program creates its forms.
    // The main window's grid size, from which the dialog is placed; set
    // before FormCreate.
    void setGridSize(QSize size) { m_grid = size; }
    void FormCreate();
    // Shows the dialog filled from the settings (the main window's button).
    void Open();

    void Button1Click();
    void Image1Click();
    void Image2Click();
    void Image3Click();
    // The key handler of one of the fields Edit1 .. Edit11.
    void EditNKeyPress(KeyEdit* edit, QChar& key);

    KeyEdit* Edit1 = nullptr;  // log path
    KeyEdit* Edit2 = nullptr;  // hidden
    KeyEdit* Edit3 = nullptr;  // name
    KeyEdit* Edit4 = nullptr;  // first name
    KeyEdit* Edit5 = nullptr;  // street
    KeyEdit* Edit6 = nullptr;  // postcode and town
    KeyEdit* Edit7 = nullptr;  // locator
    KeyEdit* Edit8 = nullptr;  // ADL / DOK
    KeyEdit* Edit9 = nullptr;  // call
    KeyEdit* Edit10 = nullptr; // standard comment
    KeyEdit* Edit11 = nullptr; // country
    QPushButton* Button1 = nullptr;
    QPushButton* ChooseLog = nullptr; // opens a file chooser for the log path
    void chooseLogFile();
    PictureBox* Image1 = nullptr;  // German flag: "Ger"
    PictureBox* Image2 = nullptr;  // British flag: "Eng"
    PictureBox* Image3 = nullptr;  // eQSL gear: the account form
    QComboBox* Language = nullptr; // the languages of the compiled translations
    QLabel* LanguageLabel = nullptr;
    QLabel* Label2 = nullptr; // the working directory
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    // The country file's address and its download.
    CountryFilePanel* CountryFile = nullptr;

signals:
    // The settings were written (the main window tells of a failure).
    void settingsSaved();
    // The grid is to be reset (its search result dropped).
    void gridResetWanted();
    // The dialog is left: the main window shows the log again.
    void returnedToLog();
    void accountRequested();

private:
    QSize m_grid;
    // A field of the table: the settings value it mirrors, its limit (0 for
    // none) and the field Enter moves to.
    struct Field {
        KeyEdit* edit;
        QByteArray SettingsValues::*value;
        int limit;
        KeyEdit* next;
    };
    void buildControls();
    void place(int height);
    void setExitCaption();
    // Stores the language setting, and the windows take it.
    void chooseLanguage(const QByteArray& setting);
    void saveReloadInit();
    void returnToLog();
    std::vector<Field> m_fields;
    // The log path's bytes as stored: kept while the field shows them
    // unchanged (a name that is not UTF-8 is shown converted).
    QByteArray m_pathBytes;
};
