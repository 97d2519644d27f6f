#pragma once
// A stand-in for the message boxes that records what would have been shown.
#include "app/Dialogs.h"

#include <QStringList>

class RecordingDialogs : public Dialogs
{
public:
    RecordingDialogs() { setDialogs(this); }
    ~RecordingDialogs() override { setDialogs(nullptr); }
    void showMessage(const QString& text) override { messages << "message:" + text; }
    void showError(const QString& text) override { messages << "error:" + text; }
    void showPlain(const QString& text) override { messages << "plain:" + text; }
    QStringList messages;
};
