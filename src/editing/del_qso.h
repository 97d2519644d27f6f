#pragma once
// The deletion form: shows the main fields of the QSO opened from the grid and
// leads to the confirmation. Deleting overwrites the QSO's line with a fixed
// placeholder record, so every other line keeps its position.
#include "editing/OpenedLine.h"
#include "logdata/State.h"
#include "widgets/Widgets.h"

#include <QByteArrayView>
#include <QPushButton>
#include <QWidget>

class TForm8 : public QWidget
{
    Q_OBJECT
public:
    TForm8();

    void FormCreate();
    // Shows the main fields of `qso` (the grid row's cells) opened at `line`.
    void open(const SelectedQsoSet& qso, int line);
    void Button1Click(); // "Löschen!": asks for confirmation
    // Replaces the selected record by the placeholder, rewrites and reloads.
    void Del_Speichern();
    bool Save_Array_2();
    // The answer to writeRequested.
    void writeAnswered(LineWrite result) { m_writeAnswer = result; }

    // The line (counted from 0) of the QSO this form deletes and what it held
    // when the view opened it; -1 when there is none. Set by the view.
    void setOpenedLine(int line, const QByteArray& record);
    int openedLine() const { return m_line; }
    // The view wrote `record` at `line`: this form follows when it is its line.
    void lineRewritten(int line, const QByteArray& record);

signals:
    void confirmationRequested();
    // `record` is to be stored at `line`, which should still hold `expected`;
    // answered with writeAnswered before the signal returns.
    void writeRequested(int line, const QByteArray& expected, const QByteArray& record);
    // The deletion is done: the log shown again, read anew when `reload`.
    void closedToLog(bool reload);

public:
    Panel* Panel1 = nullptr;        // call
    Panel* Panel2 = nullptr;        // date
    Panel* Panel3 = nullptr;        // grid row, counted from 1
    Panel* Panel4 = nullptr;        // time
    Panel* Panel5 = nullptr;        // band
    Panel* Panel6 = nullptr;        // RST sent
    Panel* Panel7 = nullptr;        // RST received
    Panel* Panel8 = nullptr;        // mode
    QPushButton* Button1 = nullptr; // delete (asks first)
    QPushButton* Button2 = nullptr; // cancel

private:
    LineWrite m_writeAnswer = LineWrite::Failed;
    int m_line = -1;
    QByteArray m_lineRecord;
};
