#pragma once
// The start form: created once and never shown. It carries the start-up steps
// (loading the settings and the logbook when the main window is created) and
// reserves the spare elements of the logbook table.
#include <QWidget>

class QLabel;
class QLineEdit;

class TStartForm : public QWidget
{
    Q_OBJECT
public:
    explicit TStartForm(QWidget* parent = nullptr);
    void FormCreate();
    // Loads the settings and the logbook and shows the main window. Uses no
    // state of the start form: the main window calls it before the start form
    // exists.
    static void Log();

    QLabel* Label1 = nullptr;   // "Monitor"
    QLabel* Label2 = nullptr;   // "x"
    QLineEdit* Edit1 = nullptr; // screen height
    QLineEdit* Edit2 = nullptr; // screen width
};
