#pragma once
// The confirmation asked before a QSO is deleted.
#include <QLabel>
#include <QPushButton>
#include <QWidget>

class TForm9 : public QWidget
{
    Q_OBJECT
public:
    TForm9();

    void FormCreate();
    void SpeedButton1Click(); // "LÖSCHEN": delete
    void SpeedButton2Click(); // "BEENDEN": change nothing

signals:
    void confirmed();
    void cancelled();

public:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
};
