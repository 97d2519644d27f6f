#pragma once
// The DXCC window: every entity worked (or, on request, every entity of the
// country file) against the bands 160 m to 70 cm, each cell worked or
// confirmed; which confirmations count (LoTW, eQSL, paper QSL) is chosen
// here. Below the table the entities worked and confirmed per band and over
// all bands. It follows the log while it is open and exports the table as CSV.
#include <QWidget>

class DxccLog;
class DxccTableModel;
class QCheckBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTableWidget;

class DxccWindow : public QWidget
{
    Q_OBJECT
public:
    explicit DxccWindow(QWidget* parent = nullptr);
    ~DxccWindow() override;

    void setData(DxccLog* data);
    void FormCreate();
    // Shows the window with the table up to date (the main window's button).
    void Open();
    // Asks for a file and writes the table there as CSV; false when
    // cancelled or not written (the operator is told why).
    bool exportCsv();

    QTableView* Table = nullptr;    // sortable; rows are entities
    QTableWidget* Totals = nullptr; // one row: worked / confirmed per band
    QCheckBox* Lotw = nullptr;
    QCheckBox* Eqsl = nullptr;
    QCheckBox* Paper = nullptr;
    QCheckBox* AllEntities = nullptr; // also the entities not worked
    QLabel* Summary = nullptr;        // entities worked and confirmed
    QLabel* SourceLine = nullptr;     // where the countries come from
    QPushButton* ExportButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QSortFilterProxyModel* sorted() const { return m_sorted; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void refresh();
    void takeSources();
    DxccLog* m_data = nullptr;
    DxccTableModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
};
