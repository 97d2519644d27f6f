#pragma once
// A stand-in for the message boxes that records what would have been shown.
#include "widgets/Dialogs.h"

#include <QStringList>

class RecordingDialogs : public Dialogs
{
public:
    RecordingDialogs() { setDialogs(this); }
    ~RecordingDialogs() override { setDialogs(nullptr); }
    void showMessage(const QString& text) override { messages << "message:" + text; }
    void showError(const QString& text) override { messages << "error:" + text; }
    void showPlain(const QString& text) override { messages << "plain:" + text; }
    // A question is answered with `saveAnswer`.
    SaveChoice askSaveChanges(const QString& text) override
    {
        messages << "ask:" + text;
        return saveAnswer;
    }
    SaveChoice saveAnswer = SaveChoice::Discard;
    // The file chooser answers with `fileToChoose` and notes where it started.
    QString chooseFile(QWidget*, const QString&, const QString& folder,
                       const QString& filter) override
    {
        chooserFolder = folder;
        chooserFilter = filter;
        return fileToChoose;
    }
    // The chooser of a file to write answers with `saveFileToChoose`.
    QString chooseSaveFile(QWidget*, const QString&, const QString& proposed,
                           const QString&) override
    {
        proposedSaveFile = proposed;
        return saveFileToChoose;
    }
    QString saveFileToChoose;
    QString proposedSaveFile;
    QStringList messages;
    QString fileToChoose;
    QString chooserFolder;
    QString chooserFilter;
};
