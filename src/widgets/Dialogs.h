#pragma once
// Message boxes go through this interface, so tests can record them instead of
// blocking on a modal dialog.
#include <QString>

class QWidget;

enum class SaveChoice { Save, Discard, Cancel };

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // An information message with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // An error message dialog with an OK button.
    virtual void showError(const QString& text) = 0;
    // A message without an icon, with an OK button.
    virtual void showPlain(const QString& text) = 0;
    // A question with the buttons Save, Discard and Cancel.
    virtual SaveChoice askSaveChanges(const QString& text) = 0;
    // The file the operator chooses to open, starting in `folder` and showing
    // the files `filter` names; empty when cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& caption, const QString& folder,
                               const QString& filter) = 0;
    // The file the operator chooses to write, `proposed` offered first;
    // empty when cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& proposed,
                                   const QString& filter) = 0;
};

// The dialogs in use: the real message boxes unless a test installed others.
Dialogs& dialogs();
// Installs `d` (not owned); nullptr restores the real message boxes.
void setDialogs(Dialogs* d);
