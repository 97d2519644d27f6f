#include "printing/Drucken.h"

#include "logdata/State.h"
#include "widgets/Dialogs.h"
#include "widgets/Screen.h"
#include "widgets/TrText.h"

#include "logdata/TextList.h"
#include "printing/ListPrint.h"
#include "printing/QtPrinterCanvas.h"
#include <QCoreApplication>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPrintDialog>
#include <QProgressDialog>

namespace
{
const QString kListFile = QString::fromLatin1(kListFileName);

void reportUnreadable(const QFile& file)
{
    dialogs().showError(QCoreApplication::translate("TForm5", "The file %1 could not be read.")
                            .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())));
}

// The form's own print dialog.
class FormPrintDialog : public PrintDialogRunner
{
public:
    explicit FormPrintDialog(TForm5* form) : m_form(form) {}
    // The dialog was made for the form's printer and applies the choices to it.
    bool execPrintDialog(QPrinter&) override
    {
        return m_form->printDialog()->exec() == QDialog::Accepted;
    }

private:
    TForm5* m_form;
};
} // namespace

TForm5::TForm5(QWidget* parent) : QWidget(parent)
{
    setTrTitle(this, "TForm5", QT_TR_NOOP("Print"));
    resize(481, 500);

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(8, 8, 465, 400);
    ListBox1->setFont(QFont(QStringLiteral("Courier New"), 9));

    m_dialogRunner = std::make_unique<FormPrintDialog>(this);
    m_runner = m_dialogRunner.get();
}

TForm5::~TForm5() = default;

void TForm5::setPrintDialogRunner(PrintDialogRunner* runner)
{
    m_runner = runner ? runner : m_dialogRunner.get();
}

QPrintDialog* TForm5::printDialog()
{
    if (!PrintDialog1)
        PrintDialog1 = new QPrintDialog(&m_printer, this);
    return PrintDialog1;
}

void TForm5::FormCreate()
{
    const QSize screen = screenSize();
    resize(width(), screen.height() - 40);
    ListBox1->resize(ListBox1->width(), screen.height() - 156);
    if (G().ListWritten == 1)
        loadList();
}

bool TForm5::loadList()
{
    QFile file(kListFile);
    if (!file.open(QIODevice::ReadOnly)) {
        reportUnreadable(file);
        return false;
    }
    const QByteArray image = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reportUnreadable(file);
        return false;
    }
    ListBox1->clear();
    ListBox1->addItems(ListPrint::splitListLines(image));
    return true;
}

void TForm5::Start_Druck()
{
    if (!loadList())
        return;
    Drucken();
}

void TForm5::Drucken()
{
    const int count = ListBox1->count();
    if (count == 0) {
        dialogs().showError(tr("There is nothing to print."));
        return;
    }

    const QString title =
        ListPrint::listTitle(G().ProgramSettings.OwnCall, QDate::currentDate().year());

    if (!m_runner->execPrintDialog(m_printer))
        return;

    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(ListBox1->item(i)->text());

    // A long list (its page count is known before it is printed) shows how
    // far the printout got and can be cancelled; a short one goes without.
    const int pages = ListPrint::pageCount(int(lines.size()));
    constexpr int kLongPrintout = 10;
    QProgressDialog progress(tr("Printing page %1 of %2 …").arg(1).arg(pages), tr("Cancel"), 1,
                             pages, this);
    progress.setWindowTitle(tr("Print"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(pages > kLongPrintout ? 0 : 3600000);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(1);
    auto nextPage = [&progress](int page, int total) {
        progress.setLabelText(tr("Printing page %1 of %2 …").arg(page).arg(total));
        progress.setValue(page); // processes window messages: the window repaints
        return !progress.wasCanceled();
    };

    QtPrinterCanvas canvas(m_printer);
    const bool printed = ListPrint::printList(
        canvas, lines, title,
        ListPrint::headingOrDefault(G().ListHeading1, ListPrint::defaultHeading1()),
        ListPrint::headingOrDefault(G().ListHeading2, ListPrint::defaultHeading2()), nextPage);
    progress.close();
    if (!printed)
        dialogs().showError(tr("The print job could not be started."));
}
