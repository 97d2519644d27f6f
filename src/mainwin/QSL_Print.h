#pragma once
// The main window: the QSO grid with its header panels, the call search, the
// picture buttons that open the other forms, and the procedures of the main
// window class that other forms call (loading the logbook, the settings file,
// the country lookup).
#include "editing/OpenedLine.h"
#include "logdata/Loader.h"
#include "logdata/Rewrite.h"
#include "mainwin/CountryTable.h"

#include <QWidget>

#include <functional>

class QHeaderView;
class QLabel;
class QLineEdit;
class QPushButton;
class KeyEdit;
class Logbook;
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
    // The grid's size as the window was laid out; the other windows are
    // placed from it.
    QSize gridSize() const { return m_gridSize; }
    // The start-up step: loads the settings and the logbook and shows the
    // window maximized, the keyboard in the grid on the newest QSO.
    void Log();

    // The data operations the other windows ask for.
    // Stores `record` at `line` (counted from 0) when the line still holds
    // `expected`, and rewrites the logbook; a moved line and a failed rewrite
    // are reported to the operator.
    LineWrite writeLine(int line, const QByteArray& expected, const QByteArray& record);
    // Deletes the QSO at `line` when the line still holds `expected`
    // (reported as writeLine).
    LineWrite deleteLine(int line, const QByteArray& expected);
    // Puts `record` after the last line and rewrites the logbook.
    bool appendLine(const QByteArray& record);
    // The grid shown again after another window is done: the logbook read
    // again when `reload`, the newest QSO in sight.
    void showLogAgain(bool reload, bool hideGridFirst = false);
    // Back from the settings: the logbook read again in the window's colour.
    void returnFromSettings();
    // Opens the QSO of the highlighted grid row (the double click, once the
    // view may take another QSO): emits qsoOpened.
    void openHighlightedRow();
    // Asked before the window closes and before "exit": false keeps it open.
    void setLeaveCheck(std::function<bool()> check) { m_leaveCheck = std::move(check); }

    // Tells the operator what a rewrite of the logbook did when it did not
    // simply succeed (file changed on disk, write failed), reloading the log
    // so the grid shows what is on disk. Returns true when the file was written.
    bool ReportRewrite(const RewriteOutcome& outcome);
    // Tells the operator, once, that config.dat could not be written.
    void reportConfigProblem();
    // What the operator is told when the grid's cells did not all fit the
    // table's text store (those cells are shown empty); empty when they did.
    static QString cellsLostText(const CellTable& rows);
    // A line in the window that reports problems without a modal dialog.
    void showStatus(const QString& text);
    QString statusText() const;
    // The logbook on disk the window shows.
    Logbook* logbook() const { return m_logbook; }

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
    // Opens the QSL window.
    QPushButton* QslButton = nullptr;

    // The DXCC window's button.
    QPushButton* DxccButton = nullptr;

signals:
    // A double click on a grid row: the view is to take that QSO.
    void openQsoRequested();
    // The QSO of a grid row (its cells as shown) and its line in the file.
    void qsoOpened(const SelectedQsoSet& qso, int line);
    void configurationRequested();
    void printRequested();
    void newQsoRequested();
    // The QSL button: the QSL window is to open.
    void qslRequested();
    // The DXCC window is to open.
    void dxccRequested();

protected:
    void closeEvent(QCloseEvent* e) override;

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
    // Tells how a write to one line ended (a moved line and a failed rewrite
    // reported to the operator).
    LineWrite lineWritten(const std::optional<RewriteOutcome>& outcome);
    // Makes LogLines match the file before it is read from memory: appended
    // lines taken in, a changed file loaded again. False when it cannot be read.
    bool bringLogbookUpToDate();
    // The settings and what the window shows of the log, taken once.
    ProgramState& m_state;
    Logbook* m_logbook = nullptr; // the logbook on disk: loads, the live log
    bool m_ownWrite = false;      // a write the window asked for is under way
    QByteArray m_shownSearch;     // the text of the search result shown
    void reportLoadProblems(const LoadReport& report, const QString& cellsLost);
    QString loadProblemText(const LoadReport& report) const;
    quint8 m_matchMarker = 0;
    int m_selectedRow = -1; // the row of the last cell selection in the whole-log view
    std::function<bool()> m_leaveCheck;
    QSize m_gridSize;
    bool mayLeave() const { return !m_leaveCheck || m_leaveCheck(); }
};
