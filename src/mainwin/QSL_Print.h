#pragma once
// The main window: the QSO grid with its header panels, the call search, the
// picture buttons that open the other forms, and the procedures of the main
// window class that other forms call (loading the logbook, the settings file,
// the country lookup).
#include "logdata/Loader.h"
#include "logdata/Rewrite.h"
#include "mainwin/CountryTable.h"

#include <QElapsedTimer>
#include <QWidget>

class QFileSystemWatcher;
class QHeaderView;
class QLabel;
class QTimer;
class QLineEdit;
class QPushButton;
class KeyEdit;
class Panel;
class PictureBox;
class StringGrid;

class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Creation handler: sizes the window from the screen and loads the log.
    void FormCreate();

    // Procedures used across the forms.
    void LoadLogbook();
    void Init();
    void CallSearch();
    void Delay(int ms);
    void Load_Config();
    void Save_Config();
    void ScrollGridToBottom();
    void Country_Hide();
    void Country_Wahl();
    void Position_Flag();

    // Tells the operator what a rewrite of the logbook did when it did not
    // simply succeed (file changed on disk, write failed), reloading the log
    // so the grid shows what is on disk. Returns true when the file was written.
    bool ReportRewrite(const RewriteOutcome& outcome);
    // Tells the operator, once, that config.dat could not be written.
    void reportConfigProblem();
    // A line in the window that reports problems without a modal dialog.
    void showStatus(const QString& text);
    QString statusText() const;

    // Handlers.
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void BitBtn1Click();
    void Image1Click();
    void Image3Click();
    void Edit3KeyPress(QChar& key);
    void StringGrid1SelectCell(int col, int row);
    void StringGrid1DblClick();

    // Controls.
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    PictureBox* Image1 = nullptr;
    PictureBox* Image2 = nullptr;
    PictureBox* Image3 = nullptr;
    Panel* Panel18 = nullptr;
    Panel* Panel17 = nullptr;
    Panel* Panel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    KeyEdit* Edit3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QHeaderView* ColumnHeader = nullptr; // the column captions above the grid
    QLabel* StatusLine = nullptr;

    // The seven call keys the double click derives for the country lookup.
    CallKeys Keys;

protected:
    void closeEvent(QCloseEvent* e) override;

    // Takes in what another program appended to the logbook (the watcher's
    // signal); a file changed otherwise is loaded again whole.
    void followLogbook();

private:
    void buildControls();
    // Places the controls: at the design's places, or, on a screen narrower
    // than the design, with the search, the count and Exit in a second row.
    void arrangeControls(bool twoRows);
    bool m_twoRows = false;
    int m_button1X = 648; // "call search"
    int m_button3X = 702; // "back"
    void showRows(LoadReport report, bool wholeLoad);
    void showFollowed(const LoadReport& report);
    // Makes LogLines match the file before it is read from memory: appended
    // lines taken in, a changed file loaded again. False when it cannot be read.
    bool bringLogbookUpToDate();
    void watchLogbook();
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_followTimer = nullptr;
    QElapsedTimer m_loadClock; // running while a load reads the logbook
    QByteArray m_shownSearch;  // the text of the search result shown
    void reportLoadProblems(const LoadReport& report);
    QString loadProblemText(const LoadReport& report) const;
    quint8 m_matchMarker = 0;
    int m_selectedRow = -1; // the row of the last cell selection in the whole-log view
};
