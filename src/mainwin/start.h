#pragma once
// The start form: created once and never shown. It reserves the spare
// elements of the logbook table (the main window's Log loads the settings and
// the logbook when it is created).
#include <QWidget>

class QLabel;
class QLineEdit;

class TStartForm : public QWidget
{
    Q_OBJECT
public:
    explicit TStartForm(QWidget* parent = nullptr);
    void FormCreate();

    QLabel* Label1 = nullptr;   // "Monitor"
    QLabel* Label2 = nullptr;   // "x"
    QLineEdit* Edit1 = nullptr; // screen height
    QLineEdit* Edit2 = nullptr; // screen width
};
