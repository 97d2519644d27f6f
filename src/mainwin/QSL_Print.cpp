#include "mainwin/QSL_Print.h"

#include "app/Language.h"
#include "logdata/CallSearch.h"
#include "logdata/Columns.h"
#include "logdata/Cp1252.h"
#include "logdata/LineTable.h"
#include "logdata/Loader.h"
#include "logdata/Logbook.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "logdata/TextCodec.h"
#include "logdata/TextList.h"
#include "mainwin/StartupProbe.h"
#include "mainwin/StringGrid.h"
#include "widgets/Delay.h"
#include "widgets/Dialogs.h"
#include "widgets/JpegDecoder.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace
{
constexpr int kWindowColor = 12696492;
// The top bar of the design needs this width; on a narrower screen (a laptop,
// a scaled display) its right half goes into a second row.
constexpr int kDesignWidth = 1240;
constexpr int kSecondRow = 34; // how far the second row moves the grid down

QPixmap picture(const QString& path)
{
    QString error;
    QPixmap p = loadJpegPixmap(path, &error);
    if (p.isNull())
        qWarning("picture %s: %s", qPrintable(path), qPrintable(error));
    return p;
}
} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), m_state(G())
{
    initPictureResources();
    setWindowTitle(QStringLiteral("Vosmira V4.2")); // the program's name and version
    markAsValue(this);
    setBackground(this, kWindowColor);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    buildControls();

    // The live log: a QSO another program appends shows up at once; a file
    // changed otherwise is loaded again whole.
    m_logbook = new Logbook(m_state, this);
    // Lines added by the window's own writes show when it reads the log again.
    connect(m_logbook, &Logbook::rowsAdded, this, [this] {
        if (!m_ownWrite)
            showFollowed(m_logbook->added());
    });
    connect(m_logbook, &Logbook::changedOnDisk, this, [this] { bringLogbookUpToDate(); });
    // Records another window stored (QSL marks): their rows are read again.
    // The main window's own writes show themselves when it is shown again.
    connect(m_logbook, &Logbook::rowsChanged, this, [this] {
        if (!m_ownWrite)
            LoadLogbook();
    });

    // For the start-up benchmark: at the end of the last repaint the start
    // causes (the grid showing the last row), print the process's CPU time
    // and the monotonic clock (for the wall time since the benchmark started
    // the program) and end.
    if (qEnvironmentVariableIsSet("VOSMIRA_BENCH_STARTUP")) {
        new StartupProbe(
            [this] {
                const QScrollBar* bar = StringGrid1->verticalScrollBar();
                return isVisible() && m_state.QsoCount > 0 && bar->value() == bar->maximum();
            },
            [](double cpu, double mono) {
                std::printf("start-up done %.1f ms cpu %.3f mono\n", cpu, mono);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            },
            1000, this);
    }

    // A load that takes long shows how far it got (the window comes up for
    // it if it is not shown yet).
    connect(m_logbook, &Logbook::loadProgress, this, [this](qint64 done, qint64 total) {
        if (!isVisible())
            showMaximized();
        const int percent = total > 0 ? int(done * 100 / total) : 0;
        showStatus((tr("Loading the logbook … %1 %")).arg(percent));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });

    // A QSO another program wrote into a replaced log file that could not be
    // added to the log: said at once (it is kept and tried again).
    connect(m_logbook, &Logbook::failed, this, [this](const QString& message) {
        showStatus(message);
        dialogs().showError(message);
    });

    // While a rewrite writes a large log the window repaints and says so.
    connect(m_logbook, &Logbook::writeProgress, this, [this](qint64 written, qint64 total) {
        const int percent = total > 0 ? int(written * 100 / total) : 0;
        showStatus((tr("Writing the logbook … %1 %")).arg(percent));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}

TForm1::~TForm1() = default;

void TForm1::buildControls()
{
    Label1 = new QLabel(QStringLiteral("Vosmira"), this);
    markAsValue(Label1);
    // Verdana 27 pixels bold; where a wider substitute stands in for Verdana
    // the size steps down until the title fits its place before the credit.
    int titlePx = 27;
    while (titlePx > 16 && QFontMetrics(designFont(QStringLiteral("Verdana"), titlePx, true))
                                   .horizontalAdvance(QStringLiteral("Vosmira")) > 112)
        --titlePx;
    Label1->setFont(designFont(QStringLiteral("Verdana"), titlePx, true));
    setTextColor(Label1, QColor(0, 128, 128));
    Label1->setGeometry(22, 16, 112, 30);
    Label5 = new QLabel(this);
    setTrText(Label5, "TForm1", QT_TR_NOOP("by Dranek"));
    Label5->setFont(designFont(QStringLiteral("Arial"), 12, true));
    Label5->setGeometry(136, 24, 66, 16);

    BitBtn1 = new QPushButton(this);
    BitBtn1->setGeometry(204, 6, 41, 41);
    BitBtn1->setIcon(QIcon(QPixmap(QStringLiteral(":/pictures/config.png"))));
    BitBtn1->setIconSize(QSize(33, 33));
    BitBtn1->setCursor(Qt::PointingHandCursor);
    setTrToolTip(BitBtn1, "TForm1", QT_TR_NOOP("Configuration"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    Image1 = new PictureBox(this);
    Image1->setGeometry(248, 6, 39, 41);
    Image1->setPicture(picture(QStringLiteral(":/pictures/print.jpg")));
    Image1->setCursor(Qt::PointingHandCursor);
    setTrToolTip(Image1, "TForm1", QT_TR_NOOP("Print the list"));
    connect(Image1, &PictureBox::clicked, this, [this] { Image1Click(); });

    Image2 = new PictureBox(this);
    Image2->setGeometry(290, 9, 35, 35);
    Image2->setPicture(picture(QStringLiteral(":/pictures/busy.jpg")));
    Image2->hide();

    Image3 = new PictureBox(this);
    Image3->setGeometry(328, 10, 55, 33);
    Image3->setPicture(picture(QStringLiteral(":/pictures/new-qso.jpg")));
    Image3->setCursor(Qt::PointingHandCursor);
    setTrToolTip(Image3, "TForm1", QT_TR_NOOP("New QSO"));
    connect(Image3, &PictureBox::clicked, this, [this] { Image3Click(); });

    // The QSL window: eQSL and LoTW uploads and confirmations.
    QslButton = new QPushButton(this);
    QslButton->setObjectName(QStringLiteral("QslButton"));
    QslButton->setGeometry(388, 4, 80, 21);
    QslButton->setCursor(Qt::PointingHandCursor);
    setTrText(QslButton, "TForm1", QT_TR_NOOP("QSL"));
    setTrToolTip(QslButton, "TForm1", QT_TR_NOOP("eQSL and LoTW: upload, confirmations"));
    connect(QslButton, &QPushButton::clicked, this, &TForm1::qslRequested);

    // The DXCC window: entities worked and confirmed per band.
    DxccButton = new QPushButton(this);
    setTrText(DxccButton, "TForm1", QT_TR_NOOP("DXCC"));
    setTrToolTip(DxccButton, "TForm1", QT_TR_NOOP("DXCC entities worked and confirmed per band"));
    DxccButton->setGeometry(388, 26, 80, 21);
    DxccButton->setCursor(Qt::PointingHandCursor);
    connect(DxccButton, &QPushButton::clicked, this, &TForm1::dxccRequested);

    Panel18 = new Panel(this);
    setTrText(Panel18, "TForm1", QT_TR_NOOP("eQSL confirmed:"));
    Panel18->setGeometry(472, 18, 91, 25);
    setBackground(Panel18, 8257470);
    setTextColor(Panel18, QColor(128, 0, 0));
    Panel18->setFont(designFont(QStringLiteral("MS Sans Serif"), 11, true));
    Panel17 = new Panel(this);
    markAsValue(Panel17);
    Panel17->setGeometry(566, 18, 65, 25);

    Button1 = new QPushButton(this);
    setTrText(Button1, "TForm1", QT_TR_NOOP("call search"));
    Button1->setGeometry(648, 18, 141, 25);
    Button1->setCursor(Qt::PointingHandCursor);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    Button3 = new QPushButton(this);
    setTrText(Button3, "TForm1", QT_TR_NOOP("back"));
    Button3->setGeometry(702, 18, 87, 25);
    Button3->setCursor(Qt::PointingHandCursor);
    Button3->hide();
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

    Label4 = new QLabel(this);
    setTrText(Label4, "TForm1", QT_TR_NOOP("CALL"));
    Label4->setGeometry(792, 24, 36, 16);
    Label4->hide();
    Edit3 = new KeyEdit(this);
    Edit3->setGeometry(832, 18, 115, 24);
    Edit3->setUpperCase(true);
    Edit3->hide();
    Edit3->onKeyPress = [this](QChar& key) { Edit3KeyPress(key); };

    Label2 = new QLabel(this);
    setTrText(Label2, "TForm1", QT_TR_NOOP("QSOs:"));
    Label2->setGeometry(974, 22, 48, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(1026, 19, 65, 24);
    Edit1->setReadOnly(true);

    Button2 = new QPushButton(this);
    setTrText(Button2, "TForm1", QT_TR_NOOP("Exit"));
    Button2->setGeometry(1094, 20, 121, 25);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    Panel1 = new Panel(this, QString(), Panel::Lowered);
    Panel1->setGeometry(18, 48, 1199, 5);
    setBackground(Panel1, 128);

    StringGrid1 = new StringGrid(this);
    StringGrid1->move(18, 88);
    // The column captions (Date, Time, CALL ... Comment) lie exactly over
    // their columns and resize them.
    ColumnHeader = StringGrid1->makeColumnHeader(this);
    connect(StringGrid1, &StringGrid::selectCell, this,
            [this](int col, int row) { StringGrid1SelectCell(col, row); });
    connect(StringGrid1, &StringGrid::doubleClicked, this, [this] { StringGrid1DblClick(); });

    StatusLine = new QLabel(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    setTextColor(StatusLine, QColor(128, 0, 0));
    StatusLine->setFont(designFont(QStringLiteral("MS Sans Serif"), 12, true));
    StatusLine->hide();
}

void TForm1::FormCreate()
{
    ProgramState& s = m_state;
    const QSize screen = screenSize();
    resize(screen.width() - 10, screen.height() - 40);
    arrangeControls(screen.width() < kDesignWidth);
    m_gridSize = StringGrid1->size();
    s.QsoCount = 0;
    s.StoredQsoCount = 0;
    s.SearchView = 0;
    m_matchMarker = 0;
    Init();
    Log();
}

void TForm1::Log()
{
    ProgramState& s = m_state;
    ::Load_Config(s);
    s.SearchView = 0;
    s.DisplayFormat = 1;
    LoadLogbook();
    Button1->show();
    Button3->hide();
    Image2->hide();
    s.ListWritten = 0;
    useLanguage();
    showMaximized();
    ScrollGridToBottom();
    // The keyboard starts in the grid, on the newest QSO (Enter opens it).
    StringGrid1->focusLastRow(s.QsoCount);
    setBackground(this, kWindowColor);
}

void TForm1::arrangeControls(bool twoRows)
{
    const QSize screen = screenSize();
    m_twoRows = twoRows;
    const int down = twoRows ? kSecondRow : 0;
    if (!twoRows) {
        // The design's places.
        m_button1X = 648;
        m_button3X = 702;
        Button1->move(m_button1X, 18);
        Button3->move(m_button3X, 18);
        Label4->move(792, 24);
        Edit3->move(832, 18);
        Label2->move(974, 22);
        Edit1->move(1026, 19);
        Button2->move(1094, 20);
        Panel1->setGeometry(18, 48, 1199, 5);
        StringGrid1->setGeometry(18, 88, width() - 15, screen.height() - 156);
    } else {
        // The search, the count and Exit in a second row under the pictures,
        // Exit at the right edge; the grid takes the rest of the screen.
        const int y = 18 + down;
        m_button1X = 18;
        m_button3X = 18;
        Button1->move(m_button1X, y);
        Button3->move(m_button3X, y);
        Label4->move(m_button3X + Button3->width() + 8, y + 6);
        Edit3->move(Label4->x() + 40, y);
        Label2->move(Edit3->x() + Edit3->width() + 16, y + 4);
        Edit1->move(Label2->x() + 52, y + 1);
        const int right = screen.width() - 22;
        Button2->move(qMax(Edit1->x() + Edit1->width() + 16, right - Button2->width()), y + 2);
        Panel1->setGeometry(18, 48 + down, right - 18, 5);
        StringGrid1->setGeometry(18, 88 + down, right - 18, screen.height() - 156 - down);
    }
    StatusLine->setGeometry(18, StringGrid1->y() + StringGrid1->height() + 2, StringGrid1->width(),
                            20);
    StringGrid1->placeColumnHeader(ColumnHeader, 66 + down, 22);
}

void TForm1::LoadLogbook()
{
    ProgramState& s = m_state;
    if (s.SearchView == 0) {
        Label4->hide();
        Edit3->hide();
        Label2->show();
        Edit1->show();
        Init();
        s.DisplayFormat = 1;
    }
    // The file as held in memory, with only what changed read again, unless
    // it changed on disk otherwise.
    showRows(m_logbook->refresh(), true);
    // A search result shown while the log was reloaded (an edit made from
    // it) is searched again, so the grid and the search controls agree.
    if (s.SearchView == 1) {
        Init();
        CallSearch();
    }
    reportConfigProblem();
}

void TForm1::showRows(LoadReport report, bool wholeLoad)
{
    const ProgramState& s = m_state;
    const LogbookState& book = m_logbook->data();
    GridModel* grid = StringGrid1->grid();
    const QString cellsLost = cellsLostText(report.rows);
    if (report.incremental)
        grid->updateFullRows(report.updatedRows, report.rows);
    else
        grid->setFullRows(std::move(report.rows));
    if (s.SearchView == 0) {
        grid->showSearch(false);
        // One empty row follows the last QSO.
        grid->setRowCount(book.LoadedLineCount);
    }
    if (wholeLoad || s.SearchView == 0) {
        if (report.numberShown)
            Edit1->setText(QStringLiteral(" ") + QString::number(book.LoadedLineCount - 1));
    }
    if (report.confirmedShown)
        Panel17->setText(QString::number(book.ConfirmedCount));
    reportLoadProblems(report, cellsLost);
    if (!report.reloadReason.isEmpty() && report.opened)
        showStatus(tr("The logbook changed on disk and was loaded again."));
    m_logbook->watch();
}

QString TForm1::cellsLostText(const CellTable& rows)
{
    if (!rows.overflowed())
        return {};
    return tr("The grid could not hold every cell: some are shown empty (the logbook "
              "file is unchanged)");
}

void TForm1::reportLoadProblems(const LoadReport& report, const QString& cellsLost)
{
    const int unreadable = report.unreadableFields;
    QStringList parts;
    if (!report.opened)
        parts << loadProblemText(report);
    if (unreadable > 0) {
        parts << tr("%1 fields with an unreadable length were skipped").arg(unreadable);
    }
    if (!cellsLost.isEmpty())
        parts << cellsLost;
    showStatus(parts.join(QStringLiteral("; ")));
}

QString TForm1::loadProblemText(const LoadReport& report) const
{
    if (report.problem == LoadProblem::NoPath)
        // The first start: say what to do.
        return tr("No logbook chosen yet: open the configuration (the gear "
                  "button), choose your log file with the button beside the "
                  "log path, or type its path and press Enter.");
    QString why;
    switch (report.problem) {
    case LoadProblem::Folder:
        why = tr("it is a folder, not a file");
        break;
    case LoadProblem::Missing:
        why = tr("there is no such file");
        break;
    case LoadProblem::NoPermission:
        why = tr("you may not read it");
        break;
    case LoadProblem::TooLarge:
        why = tr("it is larger than 2 GiB");
        break;
    default:
        why = report.errorReason; // the system's words
        break;
    }
    const QString path = QDir::toNativeSeparators(logFilePathString(m_state));
    return tr("The logbook %1 could not be read: %2.").arg(path, why);
}

void TForm1::reportConfigProblem()
{
    ProgramState& s = m_state;
    if (s.ConfigSaveError.isEmpty() || s.ConfigSaveReported)
        return;
    s.ConfigSaveReported = true;
    dialogs().showError(tr("The settings could not be saved to config.dat (%1). What you "
                           "typed is kept while the program runs; please make sure the "
                           "program's folder can be written.")
                            .arg(s.ConfigSaveError));
}

void TForm1::showStatus(const QString& text)
{
    StatusLine->setText(text);
    StatusLine->setVisible(!text.isEmpty());
}

QString TForm1::statusText() const
{
    return StatusLine->text();
}

bool TForm1::ReportRewrite(const RewriteOutcome& outcome)
{
    if (outcome.result == RewriteResult::Written)
        return true;
    QString text;
    if (outcome.result == RewriteResult::ChangedOnDisk) {
        text = tr("The logbook changed on disk since it was loaded (%1). "
                  "Nothing was written; the logbook has been reloaded. "
                  "Please make the change again.")
                   .arg(outcome.message);
    } else {
        text = tr("The logbook could not be written (%1). The file on disk "
                  "is unchanged.")
                   .arg(outcome.message);
    }
    dialogs().showError(text);
    LoadLogbook();
    ScrollGridToBottom();
    showStatus(text);
    return false;
}

void TForm1::Init()
{
    ProgramState& s = m_state;
    Edit3->clear();
    if (s.SearchView == 1 && s.QsoCount != 0) {
        GridModel* grid = StringGrid1->grid();
        grid->clearSearch();
        grid->setRowCount(1);
    }
}

void TForm1::CallSearch()
{
    ProgramState& s = m_state;
    s.LinesRead = 0;
    // The search reads the logbook as held in memory, once what changed on
    // disk is taken in.
    if (!bringLogbookUpToDate()) {
        s.QsoCount = -1;
        QApplication::restoreOverrideCursor();
        return;
    }
    m_shownSearch = s.SearchCall;
    CallSearchResult result =
        m_logbook->search(StringGrid1->grid()->fullRows(), s.SearchCall, s.DisplayFormat == 1);
    s.LinesRead = m_logbook->data().LoadedLineCount == 0 ? 0 : 1 + result.matches;
    GridModel* grid = StringGrid1->grid();
    const int matches = result.matches;
    const QString cellsLost = cellsLostText(result.rows);
    if (!cellsLost.isEmpty())
        showStatus(cellsLost);
    grid->setSearchRows(std::move(result.rows));
    grid->showSearch(true);
    if (matches > 0) {
        grid->setRowCount(matches);
        Edit1->setText(QString::number(matches));
    }
    m_matchMarker = 0;
    s.QsoCount = s.LinesRead - 1;
    QApplication::restoreOverrideCursor();
}

bool TForm1::bringLogbookUpToDate()
{
    ProgramState& s = m_state;
    // Appended lines come as rowsAdded.
    if (m_logbook->data().LogMark.valid && m_logbook->catchUp().reloadReason.isEmpty())
        return true;
    // Not loaded, or changed otherwise on disk: read it whole.
    const quint8 format = s.DisplayFormat;
    LoadReport whole = m_logbook->load();
    s.DisplayFormat = format;
    const bool opened = whole.opened;
    whole.reloadReason = QStringLiteral("changed");
    showRows(std::move(whole), true);
    return opened;
}

void TForm1::showFollowed(const LoadReport& report)
{
    ProgramState& s = m_state;
    const LogbookState& book = m_logbook->data();
    GridModel* grid = StringGrid1->grid();
    QScrollBar* bar = StringGrid1->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    const int firstNew = grid->fullRows().rowCount();
    grid->updateFullRows(report.updatedRows, report.rows);
    if (s.SearchView == 0) {
        grid->setRowCount(book.LoadedLineCount);
        Edit1->setText(QStringLiteral(" ") + QString::number(book.LoadedLineCount - 1));
    } else {
        // New QSOs that match the search shown are added to it.
        CallSearchResult found =
            m_logbook->search(grid->fullRows(), m_shownSearch, s.DisplayFormat == 1, firstNew + 2);
        if (found.matches > 0) {
            grid->appendSearchRows(found.rows);
            const int matches = qMax(0, s.QsoCount) + found.matches;
            s.QsoCount = matches;
            s.LinesRead = matches + 1;
            grid->setRowCount(matches);
            Edit1->setText(QString::number(matches));
        }
    }
    if (book.RowsWithRcvd > 0)
        Panel17->setText(QString::number(book.ConfirmedCount));
    if (atBottom)
        ScrollGridToBottom();
}

void TForm1::Delay(int ms)
{
    ::Delay(ms);
}

void TForm1::Load_Config()
{
    ::Load_Config(m_state);
}

void TForm1::Save_Config()
{
    ::Save_Config(m_state);
}

void TForm1::ScrollGridToBottom()
{
    StringGrid1->scrollToLastRow();
}

LineWrite TForm1::writeLine(int line, const QByteArray& expected, const QByteArray& record)
{
    m_ownWrite = true;
    const std::optional<RewriteOutcome> outcome = m_logbook->writeLine(line, expected, record);
    m_ownWrite = false;
    return lineWritten(outcome);
}

LineWrite TForm1::deleteLine(int line, const QByteArray& expected)
{
    m_ownWrite = true;
    const std::optional<RewriteOutcome> outcome = m_logbook->deleteLine(line, expected);
    m_ownWrite = false;
    return lineWritten(outcome);
}

LineWrite TForm1::lineWritten(const std::optional<RewriteOutcome>& outcome)
{
    if (!outcome) {
        dialogs().showError(lineMovedText());
        return LineWrite::Moved;
    }
    return ReportRewrite(*outcome) ? LineWrite::Written : LineWrite::Failed;
}

bool TForm1::appendLine(const QByteArray& record)
{
    m_ownWrite = true;
    const RewriteOutcome outcome = m_logbook->appendLine(record);
    m_ownWrite = false;
    return ReportRewrite(outcome);
}

void TForm1::showLogAgain(bool reload, bool hideGridFirst)
{
    if (hideGridFirst)
        StringGrid1->hide();
    if (reload)
        LoadLogbook();
    StringGrid1->show();
    ScrollGridToBottom();
}

void TForm1::returnFromSettings()
{
    show();
    LoadLogbook();
    ScrollGridToBottom();
    setBackground(this, kWindowColor);
}

void TForm1::Button1Click()
{
    ProgramState& s = m_state;
    s.SearchView = 1;
    s.DisplayFormat = 1;
    Init();
    CallSearch();
    show();
    Button1->hide();
    Button3->move(m_button3X, Button3->y());
    Button3->show();
    Label4->show();
    Edit3->show();
    setBackground(this, kWindowColor);
    Edit3->setFocus();
}

void TForm1::Edit3KeyPress(QChar& key)
{
    ProgramState& s = m_state;
    s.SearchCall = Cp1252::fromUnicode(Edit3->text()).left(20);
    if (key.unicode() == 13) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Init();
        CallSearch();
    }
}

void TForm1::Button3Click()
{
    ProgramState& s = m_state;
    s.SearchView = 0;
    s.DisplayFormat = 1;
    // The whole log is still held: shown again, with only what changed read.
    LoadLogbook();
    Label2->show();
    Edit1->show();
    Button1->move(m_button1X, Button1->y());
    Button1->show();
    Button3->hide();
    show();
    ScrollGridToBottom();
    setBackground(this, kWindowColor);
    StringGrid1->focusLastRow(s.QsoCount);
}

void TForm1::Button2Click()
{
    if (!mayLeave())
        return;
    ProgramState& s = m_state;
    s.SearchView = 0;
    s.DisplayFormat = 0;
    Init();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QFile::remove(QStringLiteral("back.txt"));
    QFile::remove(QStringLiteral("eqsl.adi"));
    close();
}

void TForm1::closeEvent(QCloseEvent* e)
{
    if (!mayLeave()) {
        e->ignore();
        return;
    }
    // Closing the main window ends the program, whatever else is open.
    markApplicationTerminating();
    e->accept();
    QCoreApplication::quit();
}

void TForm1::BitBtn1Click()
{
    emit configurationRequested();
}

void TForm1::Image1Click()
{
    Image2->show();
    Delay(500);
    buildTextList(m_state, [](const QString& text) { dialogs().showMessage(text); });
    Image2->hide();
    Delay(500);
    emit printRequested();
}

void TForm1::Image3Click()
{
    emit newQsoRequested();
}

void TForm1::StringGrid1SelectCell(int /*col*/, int row)
{
    ProgramState& s = m_state;
    if (s.SearchView == 0) {
        m_selectedRow = row;
        s.SelectedLine = row + 1;
    }
}

void TForm1::StringGrid1DblClick()
{
    ProgramState& s = m_state;
    if (s.SearchView != 0)
        return;
    // The view decides whether it may take another QSO now (see the
    // window factory); then openHighlightedRow opens it.
    emit openQsoRequested();
}

void TForm1::openHighlightedRow()
{
    ProgramState& s = m_state;
    // The row whose cells are opened is the highlighted one; its line is
    // taken here too, so that after a reload (which points SelectedLine past
    // the last record while the highlight stays) the view never shows one QSO
    // while holding another's record.
    int row = StringGrid1->Row();
    if (row < 0)
        row = m_selectedRow;
    if (row < 0)
        return;
    m_selectedRow = row;
    s.SelectedLine = row + 1;

    const SelectedQsoSet q = gridcol::openedQso(StringGrid1->grid()->shownRows(), row);
    emit qsoOpened(q, s.SelectedLine);
}
