#include "qslwin/QslWindow.h"

#include "logdata/ServiceSettings.h"
#include "qsl/Credentials.h"
#include "qsl/EqslService.h"
#include "qsl/LotwService.h"
#include "widgets/Dialogs.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
enum Label {
    EqslHeading,
    EqslAddressLabel,
    EqslUserLabel,
    EqslPasswordLabel,
    LotwHeading,
    LotwAddressLabel,
    LotwLoginLabel,
    LotwPasswordLabel,
    LotwLocationLabel,
    LotwCallLabel,
    LotwTqslLabel,
    DxccNote,
};

QString settingKey(const char* k)
{
    return QString::fromLatin1(k);
}
} // namespace

QslWindow::QslWindow(QWidget* parent) : QWidget(parent) {}

QslWindow::~QslWindow()
{
    // The runner goes before the store it reads the passwords from.
    m_runner.reset();
}

void QslWindow::FormCreate()
{
    if (Results)
        return;
    for (QLabel*& l : m_labels)
        l = new QLabel(this);
    QFont bold = font();
    bold.setBold(true);
    m_labels[EqslHeading]->setFont(bold);
    m_labels[LotwHeading]->setFont(bold);
    m_labels[DxccNote]->setWordWrap(true);

    const auto field = [this](QLineEdit*& edit, bool password = false) {
        edit = new QLineEdit(this);
        if (password) {
            // Never shown, never copied out.
            edit->setEchoMode(QLineEdit::Password);
            edit->setContextMenuPolicy(Qt::NoContextMenu);
        }
        return edit;
    };
    auto* eqsl = new QFormLayout;
    eqsl->addRow(m_labels[EqslHeading]);
    eqsl->addRow(m_labels[EqslAddressLabel], field(EqslAddress));
    eqsl->addRow(m_labels[EqslUserLabel], field(EqslUser));
    eqsl->addRow(m_labels[EqslPasswordLabel], field(EqslPassword, true));
    auto* lotw = new QFormLayout;
    lotw->addRow(m_labels[LotwHeading]);
    lotw->addRow(m_labels[LotwAddressLabel], field(LotwAddress));
    lotw->addRow(m_labels[LotwLoginLabel], field(LotwLogin));
    lotw->addRow(m_labels[LotwPasswordLabel], field(LotwPassword, true));
    lotw->addRow(m_labels[LotwLocationLabel], field(LotwLocation));
    lotw->addRow(m_labels[LotwCallLabel], field(LotwCertificateCall));
    lotw->addRow(m_labels[LotwTqslLabel], field(LotwTqsl));
    EqslAddress->setPlaceholderText(qsl::EqslAccount().address.toString());
    LotwAddress->setPlaceholderText(qsl::LotwAccount().address.toString());
    LotwTqsl->setPlaceholderText(qsl::LotwAccount().tqsl);

    const qsl::Service services[2] = {qsl::Service::Eqsl, qsl::Service::Lotw};
    QFormLayout* forms[2] = {eqsl, lotw};
    auto* columns = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        UploadButton[i] = new QPushButton(this);
        DownloadButton[i] = new QPushButton(this);
        connect(UploadButton[i], &QPushButton::clicked, this,
                [this, s = services[i]] { startRun(s, QslRunner::Action::Upload); });
        connect(DownloadButton[i], &QPushButton::clicked, this,
                [this, s = services[i]] { startRun(s, QslRunner::Action::Download); });
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(UploadButton[i]);
        buttons->addWidget(DownloadButton[i]);
        forms[i]->addRow(buttons);
        columns->addLayout(forms[i], 1);
    }

    SaveButton = new QPushButton(this);
    connect(SaveButton, &QPushButton::clicked, this, [this] {
        if (saveSettings())
            StatusLine->setText(tr("The settings are saved."));
    });
    CancelButton = new QPushButton(this);
    CancelButton->setEnabled(false);
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        if (m_runner)
            m_runner->cancel();
    });
    CloseButton = new QPushButton(this);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::hide);
    Progress = new QProgressBar(this);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    StatusLine = new QLabel(this);
    StatusLine->setWordWrap(true);
    StatusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Results = new QTableWidget(0, 6, this);
    Results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Results->setSelectionBehavior(QAbstractItemView::SelectRows);
    Results->verticalHeader()->hide();
    Results->horizontalHeader()->setStretchLastSection(true);

    auto* runRow = new QHBoxLayout;
    runRow->addWidget(SaveButton);
    runRow->addWidget(Progress, 1);
    runRow->addWidget(CancelButton);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(m_labels[DxccNote]);
    all->addLayout(runRow);
    all->addWidget(StatusLine);
    all->addWidget(Results, 1);
    all->addLayout(bottom);
    resize(900, 620);
    setTexts();
}

void QslWindow::setTexts()
{
    // The texts that follow the language by themselves.
    setTrTitle(this, "QslWindow", QT_TR_NOOP("QSL: eQSL and LoTW"));
    static const char* const texts[12] = {
        QT_TR_NOOP("eQSL"),
        QT_TR_NOOP("Address:"),
        QT_TR_NOOP("User:"),
        QT_TR_NOOP("Password:"),
        QT_TR_NOOP("LoTW"),
        QT_TR_NOOP("Address:"),
        QT_TR_NOOP("Login:"),
        QT_TR_NOOP("Password:"),
        QT_TR_NOOP("Station location:"),
        QT_TR_NOOP("Certificate call:"),
        QT_TR_NOOP("tqsl program:"),
        QT_TR_NOOP("eQSL confirmations do not count for ARRL's DXCC; LoTW's do."),
    };
    for (int i = 0; i < 12; ++i)
        setTrText(m_labels[i], "QslWindow", texts[i]);
    for (int i = 0; i < 2; ++i) {
        setTrText(UploadButton[i], "QslWindow", QT_TR_NOOP("Upload"));
        setTrText(DownloadButton[i], "QslWindow", QT_TR_NOOP("Download"));
    }
    setTrToolTip(UploadButton[0], "QslWindow",
                 QT_TR_NOOP("Uploads every QSO not yet sent to eQSL"));
    setTrToolTip(UploadButton[1], "QslWindow",
                 QT_TR_NOOP("Signs and uploads every QSO not yet sent to LoTW with tqsl"));
    setTrToolTip(DownloadButton[0], "QslWindow",
                 QT_TR_NOOP("Marks the QSOs eQSL confirmed since the last download"));
    setTrToolTip(DownloadButton[1], "QslWindow",
                 QT_TR_NOOP("Marks the QSOs LoTW confirmed since the last download"));
    setTrToolTip(LotwLocation, "QslWindow",
                 QT_TR_NOOP("The station location as named in TrustedQSL"));
    setTrToolTip(
        LotwCertificateCall, "QslWindow",
        QT_TR_NOOP("The call of the certificate, where the station location does not say"));
    setTrText(SaveButton, "QslWindow", QT_TR_NOOP("Save settings"));
    setTrText(CancelButton, "QslWindow", QT_TR_NOOP("Cancel"));
    setTrText(CloseButton, "QslWindow", QT_TR_NOOP("Close"));
    retranslate();
}

void QslWindow::retranslate()
{
    // The texts the language change event sets.
    if (!Results)
        return;
    Results->setHorizontalHeaderLabels(
        {tr("Service"), tr("Call"), tr("Date"), tr("Time"), tr("Result"), tr("Reason")});
    showPasswordPlaceholders();
}

void QslWindow::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(e);
}

void QslWindow::setLogbook(Logbook* log, std::unique_ptr<qsl::SecretStore> secrets)
{
    m_runner.reset();
    m_secrets = secrets ? std::move(secrets)
                        : qsl::Credentials::standard([this](const QString& t) { showNotice(t); });
    m_runner = std::make_unique<QslRunner>(*log, *m_secrets);
    connect(m_runner.get(), &QslRunner::progress, this, [this](qint64 done, qint64 total) {
        if (total > 0) {
            Progress->setRange(0, int(qMin<qint64>(total, 1 << 30)));
            Progress->setValue(int(qMin(done, total)));
        } else {
            Progress->setRange(0, 0); // how much is to come is not known
        }
    });
    connect(m_runner.get(), &QslRunner::status, this,
            [this](const QString& text) { StatusLine->setText(text); });
    connect(m_runner.get(), &QslRunner::finished, this, &QslWindow::runFinished);
}

void QslWindow::showNotice(const QString& text)
{
    StatusLine->setText(text);
    dialogs().showMessage(text);
}

void QslWindow::open()
{
    ServiceSettings s;
    QString error;
    if (!s.load(m_runner ? m_runner->settingsPath() : QString::fromLatin1(kServiceSettingsFileName),
                &error))
        StatusLine->setText(error);
    EqslAddress->setText(s.value(settingKey(qslkeys::kEqslAddress)));
    EqslUser->setText(s.value(settingKey(qslkeys::kEqslUser)));
    LotwAddress->setText(s.value(settingKey(qslkeys::kLotwAddress)));
    LotwLogin->setText(s.value(settingKey(qslkeys::kLotwLogin)));
    LotwLocation->setText(s.value(settingKey(qslkeys::kLotwLocation)));
    LotwCertificateCall->setText(s.value(settingKey(qslkeys::kLotwCertificateCall)));
    LotwTqsl->setText(s.value(settingKey(qslkeys::kLotwTqsl)));
    EqslPassword->clear();
    LotwPassword->clear();
    showPasswordState();
    showWindow(this);
}

void QslWindow::showPasswordState()
{
    if (!m_secrets || !EqslPassword)
        return;
    const std::pair<QLineEdit*, const char*> fields[2] = {{EqslPassword, qslkeys::kEqslPassword},
                                                          {LotwPassword, qslkeys::kLotwPassword}};
    for (int i = 0; i < 2; ++i) {
        QString secret, error;
        m_stored[i] = m_secrets->read(settingKey(fields[i].second), secret, error) ==
                          qsl::SecretStore::Status::Ok &&
                      !secret.isEmpty();
        secret.fill(QLatin1Char(' '));
    }
    showPasswordPlaceholders();
}

void QslWindow::showPasswordPlaceholders()
{
    QLineEdit* const fields[2] = {EqslPassword, LotwPassword};
    for (int i = 0; i < 2; ++i)
        fields[i]->setPlaceholderText(m_stored[i] ? tr("stored (type to replace)") : tr("not set"));
}

bool QslWindow::saveSettings()
{
    if (!m_runner)
        return false;
    ServiceSettings s;
    QString error;
    const QString path = m_runner->settingsPath();
    bool ok = s.load(path, &error);
    if (ok) {
        const std::pair<const char*, QLineEdit*> values[] = {
            {qslkeys::kEqslAddress, EqslAddress},
            {qslkeys::kEqslUser, EqslUser},
            {qslkeys::kLotwAddress, LotwAddress},
            {qslkeys::kLotwLogin, LotwLogin},
            {qslkeys::kLotwLocation, LotwLocation},
            {qslkeys::kLotwCertificateCall, LotwCertificateCall},
            {qslkeys::kLotwTqsl, LotwTqsl}};
        bool changed = false;
        for (const auto& [k, edit] : values) {
            const QString v = edit->text().trimmed();
            if (s.value(settingKey(k)) != v) {
                s.setValue(settingKey(k), v);
                changed = true;
            }
        }
        ok = !changed || s.save(path, &error);
    }
    const std::pair<QLineEdit*, const char*> passwords[] = {{EqslPassword, qslkeys::kEqslPassword},
                                                            {LotwPassword, qslkeys::kLotwPassword}};
    for (const auto& [edit, k] : passwords) {
        if (!ok || edit->text().isEmpty())
            continue;
        QString why;
        if (m_secrets->write(settingKey(k), edit->text(), why) != qsl::SecretStore::Status::Ok) {
            error = tr("The password could not be stored (%1).").arg(why);
            ok = false;
        }
        edit->clear();
    }
    showPasswordState();
    if (!ok)
        StatusLine->setText(error);
    return ok;
}

void QslWindow::startRun(qsl::Service service, QslRunner::Action action)
{
    if (!m_runner || m_runner->isBusy() || !saveSettings())
        return;
    Results->setRowCount(0);
    m_serviceOfRun = m_runner->service(service)->name();
    StatusLine->setText(action == QslRunner::Action::Upload
                            ? tr("%1: uploading …").arg(m_serviceOfRun)
                            : tr("%1: downloading …").arg(m_serviceOfRun));
    Progress->setRange(0, 0);
    setRunning(true);
    m_runner->start(service, action);
}

void QslWindow::setRunning(bool running)
{
    for (int i = 0; i < 2; ++i) {
        UploadButton[i]->setEnabled(!running);
        DownloadButton[i]->setEnabled(!running);
    }
    SaveButton->setEnabled(!running);
    CancelButton->setEnabled(running);
}

void QslWindow::runFinished(const QslRunReport& report)
{
    setRunning(false);
    Progress->setRange(0, 1);
    Progress->setValue(report.ok ? 1 : 0);
    StatusLine->setText(report.summary);
    Results->setRowCount(int(report.rows.size()));
    for (int r = 0; r < report.rows.size(); ++r) {
        const QslResultRow& row = report.rows[r];
        const QString cells[6] = {m_serviceOfRun, row.call,    row.date,
                                  row.time,       row.outcome, row.reason};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (row.problem)
                item->setForeground(QColor(160, 0, 0));
            Results->setItem(r, c, item);
        }
    }
    Results->resizeColumnsToContents();
}
