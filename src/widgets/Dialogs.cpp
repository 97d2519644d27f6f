#include "widgets/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace
{
class MessageBoxDialogs : public Dialogs
{
public:
    void showMessage(const QString& text) override { show(QMessageBox::Information, text); }
    void showError(const QString& text) override { show(QMessageBox::Critical, text); }
    void showPlain(const QString& text) override { show(QMessageBox::NoIcon, text); }
    SaveChoice askSaveChanges(const QString& text) override
    {
        QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                        QApplication::activeWindow());
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        box.setTextFormat(Qt::PlainText);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
        }
    }
    QString chooseFile(QWidget* parent, const QString& caption, const QString& folder,
                       const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                           const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
    }

private:
    static void show(QMessageBox::Icon icon, const QString& text)
    {
        QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText); // replies of the eQSL service carry HTML tags
        box.exec();
    }
};

MessageBoxDialogs& realDialogs()
{
    static MessageBoxDialogs d;
    return d;
}

Dialogs* current = nullptr;
} // namespace

Dialogs& dialogs()
{
    return current ? *current : realDialogs();
}

void setDialogs(Dialogs* d)
{
    current = d;
}
