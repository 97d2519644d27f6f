// Prints a logbook's QSO list to a PDF the way the program does: the list
// builder writes List.txt, the list printing form prints it, and the print
// dialog is answered with Qt's PDF output on A4. Used for the example
// printout in docs/; optionally renders the first page as a PNG with
// pdftoppm.
//
//   vosmira-example-pdf [--call CALL] LOGFILE OUT.pdf [OUT-page1.png]
#include "logdata/Cp1252.h"
#include "logdata/State.h"
#include "logdata/TextList.h"
#include "printing/Drucken.h"
#include "printing/QtPrinterCanvas.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace
{
// Messages go to the terminal; any of them means the printout failed.
class TerminalDialogs : public Dialogs
{
public:
    void showMessage(const QString& text) override { report(text); }
    void showError(const QString& text) override { report(text); }
    void showPlain(const QString& text) override { report(text); }
    SaveChoice askSaveChanges(const QString& text) override
    {
        report(text);
        return SaveChoice::Cancel;
    }
    QString chooseFile(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QString();
    }
    QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QString();
    }
    int count = 0;

private:
    void report(const QString& text)
    {
        ++count;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

class PdfAnswer : public PrintDialogRunner
{
public:
    explicit PdfAnswer(QString path) : m_path(std::move(path)) {}
    bool execPrintDialog(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }

private:
    QString m_path;
};

int usage()
{
    std::fprintf(stderr, "usage: vosmira-example-pdf [--call CALL] LOGFILE OUT.pdf [OUT.png]\n");
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    QString call;
    if (args.size() >= 2 && args[0] == QLatin1String("--call")) {
        call = args[1];
        args = args.mid(2);
    }
    if (args.size() < 2 || args.size() > 3)
        return usage();
    const QString logFile = QFileInfo(args[0]).absoluteFilePath();
    const QString pdfFile = QFileInfo(args[1]).absoluteFilePath();
    const QString pngFile = args.size() > 2 ? QFileInfo(args[2]).absoluteFilePath() : QString();

    // List.txt is written into the working directory; keep it out of the way.
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path())) {
        std::fprintf(stderr, "cannot make a working directory\n");
        return 1;
    }

    TerminalDialogs messages;
    setDialogs(&messages);
    G().LogFilePath = Cp1252::fromUnicode(logFile);
    G().ProgramSettings.OwnCall = Cp1252::fromUnicode(call);

    const TextListOutcome outcome =
        buildTextList(G(), [&](const QString& text) { dialogs().showMessage(text); });
    if (!outcome.logOpened || !outcome.listWritten) {
        std::fprintf(stderr, "cannot build the list from %s\n", qPrintable(logFile));
        return 1;
    }

    PdfAnswer answer(pdfFile);
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);
    QFile::remove(pdfFile);
    form.Start_Druck();
    setDialogs(nullptr);
    if (messages.count > 0 || !QFileInfo::exists(pdfFile))
        return 1;
    std::printf("%s: %d list lines, font %s\n", qPrintable(pdfFile), form.ListBox1->count(),
                qPrintable(QtPrinterCanvas::resolvedFamily()));

    if (!pngFile.isEmpty()) {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty()) {
            std::fprintf(stderr, "pdftoppm (poppler-utils) is not installed\n");
            return 1;
        }
        // pdftoppm adds the .png itself.
        QString stem = pngFile;
        if (stem.endsWith(QLatin1String(".png")))
            stem.chop(4);
        const int rc = QProcess::execute(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"),
                                                    QStringLiteral("60"),
                                                    QStringLiteral("-singlefile"), pdfFile, stem});
        if (rc != 0) {
            std::fprintf(stderr, "pdftoppm failed\n");
            return 1;
        }
        std::printf("%s\n", qPrintable(stem + QStringLiteral(".png")));
    }
    return 0;
}
