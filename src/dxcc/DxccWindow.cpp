#include "dxcc/DxccWindow.h"

#include "country/DxccEntities.h"
#include "dxcc/DxccLog.h"
#include "logdata/AtomicFile.h"
#include "widgets/Dialogs.h"
#include "widgets/JpegDecoder.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace country;

namespace
{
const char* const kContext = "DxccWindow";
// Columns: entity, prefix, DXCC number, then the bands.
constexpr int kFirstBand = 3;
constexpr int kColumns = kFirstBand + kBandCount;
const QColor kConfirmedColor(0x9c, 0xe0, 0x9c);
const QColor kWorkedColor(0xf5, 0xe6, 0x8c);
} // namespace

// The table's rows over the statistics; the cells are read from them as
// they are shown, so a change of the counted sources is only a repaint.
class DxccTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void reset(const DxccStats* stats, bool allEntities)
    {
        beginResetModel();
        m_stats = stats;
        m_rows = !stats        ? std::vector<int>()
                 : allEntities ? stats->resolver().dxccNumbers()
                               : stats->workedEntities();
        m_names.clear();
        m_names.reserve(m_rows.size());
        for (int dxcc : m_rows)
            m_names.push_back(dxccEntityName(dxcc, entity(dxcc).name));
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : kColumns;
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, o, role);
        return columnTitle(section);
    }
    static QString columnTitle(int column)
    {
        switch (column) {
        case 0:
            return DxccWindow::tr("Entity");
        case 1:
            return DxccWindow::tr("Prefix");
        case 2:
            return DxccWindow::tr("DXCC");
        default:
            return QString::fromLatin1(bandName(column - kFirstBand));
        }
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!m_stats || !index.isValid() || size_t(index.row()) >= m_rows.size())
            return {};
        const int dxcc = m_rows[size_t(index.row())];
        const int column = index.column();
        if (column < kFirstBand) {
            if (role == Qt::DisplayRole || role == Qt::UserRole)
                return column == 0   ? QVariant(m_names[size_t(index.row())])
                       : column == 1 ? QVariant(QString::fromLatin1(entity(dxcc).primaryPrefix))
                                     : QVariant(dxcc);
            if (role == Qt::DecorationRole && column == 0)
                return flag(dxcc);
            return {};
        }
        const int band = column - kFirstBand;
        switch (role) {
        case Qt::DisplayRole:
            return QString::fromLatin1(m_stats->cellText(dxcc, band));
        case Qt::UserRole: // for sorting: confirmed before worked before nothing
            return m_stats->confirmed(dxcc, band) ? 2 : m_stats->worked(dxcc, band) ? 1 : 0;
        case Qt::BackgroundRole:
            if (m_stats->confirmed(dxcc, band))
                return kConfirmedColor;
            if (m_stats->worked(dxcc, band))
                return kWorkedColor;
            return {};
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::ToolTipRole: {
            const DxccStats::Cell c = m_stats->cell(dxcc, band);
            if (c.worked <= 0)
                return {};
            return DxccWindow::tr("%1 QSOs; confirmed by LoTW %2, by eQSL %3, by QSL card %4")
                .arg(c.worked)
                .arg(c.lotw)
                .arg(c.eqsl)
                .arg(c.paper);
        }
        default:
            return {};
        }
    }

private:
    // The entity's flag, small; decoded when its row is first shown.
    QPixmap flag(int dxcc) const
    {
        auto it = m_flags.find(dxcc);
        if (it == m_flags.end()) {
            const QString path = dxccFlagResource(dxcc);
            QPixmap p = path.isEmpty() ? QPixmap() : loadJpegPixmap(path);
            if (!p.isNull())
                p = p.scaled(24, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            it = m_flags.insert(dxcc, p);
        }
        return *it;
    }
    mutable QHash<int, QPixmap> m_flags;
    const FileEntity& entity(int dxcc) const
    {
        return m_stats->resolver().entity(m_stats->resolver().entityOfDxcc(dxcc));
    }
    const DxccStats* m_stats = nullptr;
    std::vector<int> m_rows;
    std::vector<QString> m_names;
};

DxccWindow::DxccWindow(QWidget* parent) : QWidget(parent)
{
    setTrTitle(this, kContext, QT_TR_NOOP("DXCC"));
    auto* layout = new QVBoxLayout(this);

    SourceLine = new QLabel(this);
    SourceLine->setTextFormat(Qt::PlainText);
    SourceLine->setWordWrap(true);
    layout->addWidget(SourceLine);

    auto* filter = new QHBoxLayout;
    filter->addWidget(designLabel(this, kContext, QT_TR_NOOP("Confirmed by:"), 0, 0, 12));
    Lotw = new QCheckBox(this);
    setTrText(Lotw, kContext, QT_TR_NOOP("LoTW"));
    Eqsl = new QCheckBox(this);
    setTrText(Eqsl, kContext, QT_TR_NOOP("eQSL"));
    Paper = new QCheckBox(this);
    setTrText(Paper, kContext, QT_TR_NOOP("QSL card"));
    AllEntities = new QCheckBox(this);
    setTrText(AllEntities, kContext, QT_TR_NOOP("Entities not worked too"));
    for (QCheckBox* b : {Lotw, Eqsl, Paper}) {
        b->setChecked(true);
        filter->addWidget(b);
        connect(b, &QCheckBox::toggled, this, [this] { takeSources(); });
    }
    filter->addSpacing(24);
    filter->addWidget(AllEntities);
    connect(AllEntities, &QCheckBox::toggled, this, [this] { refresh(); });
    filter->addStretch(1);
    layout->addLayout(filter);

    m_model = new DxccTableModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    Table = new QTableView(this);
    Table->setModel(m_sorted);
    Table->setSortingEnabled(true);
    Table->sortByColumn(0, Qt::AscendingOrder); // by name, A first
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Table->setColumnWidth(0, 220);
    for (int c = 1; c < kColumns; ++c)
        Table->setColumnWidth(c, c < kFirstBand ? 60 : 48);
    layout->addWidget(Table, 1);

    // The totals under their columns, moving and sizing with them.
    Totals = new QTableWidget(1, kColumns, this);
    Totals->horizontalHeader()->hide();
    Totals->verticalHeader()->hide();
    Totals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Totals->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Totals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Totals->setFixedHeight(Totals->rowHeight(0) + 2 * Totals->frameWidth());
    markAsValue(Totals);
    for (int c = 0; c < kColumns; ++c) {
        Totals->setColumnWidth(c, Table->columnWidth(c));
        Totals->setItem(0, c, new QTableWidgetItem);
        Totals->item(0, c)->setTextAlignment(c < kFirstBand ? Qt::AlignLeft | Qt::AlignVCenter
                                                            : Qt::AlignCenter);
    }
    connect(Table->horizontalHeader(), &QHeaderView::sectionResized, Totals,
            [this](int column, int, int size) { Totals->setColumnWidth(column, size); });
    connect(Table->horizontalScrollBar(), &QScrollBar::valueChanged, Totals->horizontalScrollBar(),
            &QScrollBar::setValue);
    layout->addWidget(Totals);

    auto* bottom = new QHBoxLayout;
    Summary = new QLabel(this);
    Summary->setFont(designFont(QStringLiteral("MS Sans Serif"), 12, true));
    bottom->addWidget(Summary, 1);
    ExportButton = new QPushButton(this);
    setTrText(ExportButton, kContext, QT_TR_NOOP("Export CSV …"));
    connect(ExportButton, &QPushButton::clicked, this, [this] { exportCsv(); });
    bottom->addWidget(ExportButton);
    CloseButton = new QPushButton(this);
    setTrText(CloseButton, kContext, QT_TR_NOOP("Close"));
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::hide);
    bottom->addWidget(CloseButton);
    layout->addLayout(bottom);
    onEscape(this, [this] { hide(); });
}

DxccWindow::~DxccWindow() = default;

void DxccWindow::setData(DxccLog* data)
{
    m_data = data;
    if (!data)
        return;
    connect(data, &DxccLog::changed, this, [this] {
        if (isVisible())
            refresh();
    });
}

void DxccWindow::FormCreate()
{
    resize(1130, 640); // every band column in sight
}

void DxccWindow::Open()
{
    showWindow(this);
}

void DxccWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (m_data)
        m_data->setWatched(true);
    refresh();
}

void DxccWindow::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (m_data)
        m_data->setWatched(false);
}

void DxccWindow::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::LanguageChange && isVisible())
        refresh();
}

void DxccWindow::takeSources()
{
    if (!m_data)
        return;
    m_data->setConfirmSources((Lotw->isChecked() ? ConfirmLotw : 0u) |
                              (Eqsl->isChecked() ? ConfirmEqsl : 0u) |
                              (Paper->isChecked() ? ConfirmPaper : 0u));
    if (isVisible())
        refresh();
}

void DxccWindow::refresh()
{
    if (!m_data) {
        m_model->reset(nullptr, false);
        return;
    }
    const DxccStats& stats = m_data->stats();
    const CountrySource& source = m_data->source();
    QString line = source.description();
    for (const QString& p : source.problems)
        line += QLatin1Char('\n') + p;
    SourceLine->setText(line);
    m_model->reset(source.usesFile() ? &stats : nullptr, AllEntities->isChecked());
    if (!source.usesFile()) {
        Summary->setText(tr("The DXCC table needs a country file (cty.csv)."));
        for (int c = 0; c < kColumns; ++c)
            Totals->item(0, c)->setText(QString());
        return;
    }
    Totals->item(0, 0)->setText(tr("Worked / confirmed"));
    for (int b = 0; b < kBandCount; ++b) {
        const DxccStats::Totals t = stats.totals(b);
        Totals->item(0, kFirstBand + b)
            ->setText(t.worked ? QStringLiteral("%1/%2").arg(t.worked).arg(t.confirmed)
                               : QString());
    }
    const DxccStats::Totals all = stats.totals(kAllBands);
    Summary->setText(
        tr("DXCC entities worked: %1, confirmed: %2").arg(all.worked).arg(all.confirmed));
}

bool DxccWindow::exportCsv()
{
    if (!m_data || !m_data->usesFile())
        return false;
    const QString path = dialogs().chooseSaveFile(
        this, tr("Export the DXCC table"), QDir::current().filePath(QStringLiteral("dxcc.csv")),
        tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return false;
    QString error;
    if (!writeFileAtomically(path, m_data->stats().toCsv(AllEntities->isChecked()), &error)) {
        dialogs().showError(tr("The DXCC table could not be written to %1: %2")
                                .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return true;
}
