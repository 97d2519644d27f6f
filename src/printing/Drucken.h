#pragma once
// The list printing form. It is never shown: it holds the list box that takes
// the lines of List.txt, the print dialog and the printer set-up dialog, and
// prints the list page by page.
#include <QPrinter>
#include <QWidget>

#include <memory>

class QListWidget;
class QPrintDialog;

// How the form asks the operator for the printer. The program uses the form's
// own print dialog; tests install one that answers without a modal dialog.
class PrintDialogRunner
{
public:
    virtual ~PrintDialogRunner() = default;
    // Lets the operator set up `printer`; true to print, false when cancelled.
    virtual bool execPrintDialog(QPrinter& printer) = 0;
};

class TForm5 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    // Creation handler: sizes the form from the screen and, when the list has
    // been written during this run, loads List.txt into the list box.
    void FormCreate();
    // Loads List.txt into the list box (replacing its lines) and prints it.
    void Start_Druck();
    // Prints the list box's lines on the printer the operator picks.
    void Drucken();

    // Installs `runner` (not owned) in place of the print dialog; nullptr
    // restores the dialog.
    void setPrintDialogRunner(PrintDialogRunner* runner);
    // The printer the list goes to; it keeps the operator's choices.
    QPrinter& printer() { return m_printer; }

    // The print dialog for the list's printer, made on first use: a whole
    // dialog with its widgets is not worth building at every start-up for a
    // printout that is seldom asked for.
    QPrintDialog* printDialog();

    QListWidget* ListBox1 = nullptr;
    QPrintDialog* PrintDialog1 = nullptr;

private:
    // Reads List.txt into the list box; shows an error and returns false
    // when the file cannot be read (the list box then keeps its lines).
    bool loadList();

    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<PrintDialogRunner> m_dialogRunner;
    PrintDialogRunner* m_runner = nullptr;
};
