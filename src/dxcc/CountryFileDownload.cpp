#include "dxcc/CountryFileDownload.h"

#include "country/CountryFile.h"
#include "country/CountrySource.h"
#include "logdata/AtomicFile.h"
#include "logdata/ServiceSettings.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>

#include <set>

namespace
{
const char* const kContext = "CountryFilePanel";
// Today's file names 340 entities; one with far fewer is not the country file
// (a cut-off download, a test file, a page of the wrong address).
constexpr int kFewestEntities = 200;
// Today's file is about 180 kB.
constexpr qint64 kLargestFile = 16 << 20;
// A server that stops sending is given up after this long.
constexpr int kTransferTimeoutMs = 60000;
} // namespace

CountryFileDownload::CountryFileDownload(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

CountryFileDownload::~CountryFileDownload()
{
    if (m_reply)
        m_reply->abort();
}

bool CountryFileDownload::check(const QByteArray& bytes, QString* why, int* entities)
{
    country::CountryFileData data;
    QString error;
    if (!country::parseCtyCsv(bytes, data, &error)) {
        if (why)
            *why = tr("it is not a country file: %1").arg(error);
        return false;
    }
    std::set<int> numbers;
    for (const country::FileEntity& e : data.entities)
        if (e.dxcc > 0)
            numbers.insert(e.dxcc);
    if (entities)
        *entities = int(numbers.size());
    if (int(numbers.size()) < kFewestEntities) {
        if (why)
            *why = tr("it names only %1 DXCC entities").arg(numbers.size());
        return false;
    }
    return true;
}

void CountryFileDownload::start(const QUrl& address, const QString& folder)
{
    if (m_reply)
        return;
    m_folder = folder;
    m_tooLarge = false;
    if (!address.isValid() ||
        (address.scheme() != QLatin1String("https") && address.scheme() != QLatin1String("http"))) {
        emit finished(false, tr("The country file was not downloaded: %1 is not a web address.")
                                 .arg(address.toString()));
        return;
    }
    QNetworkRequest request(address);
    request.setTransferTimeout(kTransferTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Vosmira"));
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > kLargestFile && m_reply) {
            m_tooLarge = true;
            m_reply->abort();
        }
    });
    connect(m_reply, &QNetworkReply::finished, this, &CountryFileDownload::done);
}

void CountryFileDownload::done()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    const auto fail = [this](const QString& why) {
        emit finished(
            false, tr("The country file was not downloaded (%1); the one in use stays.").arg(why));
    };
    if (m_tooLarge)
        return fail(tr("it is too large for a country file"));
    if (reply->error() != QNetworkReply::NoError)
        return fail(reply->errorString());
    const QByteArray bytes = reply->readAll();
    QString why;
    int entities = 0;
    if (!check(bytes, &why, &entities))
        return fail(why);
    const QString path = QDir(m_folder).filePath(QString::fromLatin1(country::kUserCountryFile));
    QString error;
    if (!writeFileAtomically(path, bytes, &error))
        return fail(tr("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error));
    emit finished(true, tr("Country file downloaded: %1 DXCC entities, in use now.").arg(entities));
}

CountryFilePanel::CountryFilePanel(QWidget* parent)
    : QWidget(parent), m_download(new CountryFileDownload(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(this);
    label->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
    setTrText(label, kContext, QT_TR_NOOP("Country file address:"));
    Address = new QLineEdit(this);
    markAsValue(Address);
    DownloadButton = new QPushButton(this);
    setTrText(DownloadButton, kContext, QT_TR_NOOP("Download"));
    setTrToolTip(DownloadButton, kContext,
                 QT_TR_NOOP("Fetches the current country file (cty.csv) into the working folder"));
    Status = new QLabel(this);
    Status->setTextFormat(Qt::PlainText);
    Status->setWordWrap(true);
    grid->addWidget(label, 0, 0);
    grid->addWidget(Address, 0, 1);
    grid->addWidget(DownloadButton, 0, 2);
    grid->addWidget(Status, 1, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(Address, &QLineEdit::editingFinished, this, [this] { saveAddress(); });
    connect(DownloadButton, &QPushButton::clicked, this, [this] { download(); });
    connect(m_download, &CountryFileDownload::finished, this,
            [this](bool ok, const QString& message) {
                DownloadButton->setEnabled(true);
                Status->setText(message);
                if (ok)
                    emit countryFileReplaced();
            });
}

void CountryFilePanel::loadAddress()
{
    ServiceSettings settings;
    settings.load();
    Address->setText(settings.value(QString::fromLatin1(kCountryAddressKey),
                                    QString::fromLatin1(kDefaultCountryAddress)));
}

void CountryFilePanel::saveAddress()
{
    ServiceSettings settings;
    QString error;
    if (!settings.load(QString::fromLatin1(kServiceSettingsFileName), &error)) {
        Status->setText(tr("The address was not kept: %1").arg(error));
        return;
    }
    const QString key = QString::fromLatin1(kCountryAddressKey);
    const QString address = Address->text().trimmed();
    if (settings.value(key, QString::fromLatin1(kDefaultCountryAddress)) == address)
        return;
    settings.setValue(key, address);
    if (!settings.save(QString::fromLatin1(kServiceSettingsFileName), &error))
        Status->setText(tr("The address was not kept: %1").arg(error));
}

void CountryFilePanel::download()
{
    if (m_download->running())
        return;
    saveAddress();
    DownloadButton->setEnabled(false);
    Status->setText(tr("Downloading the country file …"));
    m_download->start(QUrl::fromUserInput(Address->text().trimmed()), QDir::currentPath());
}
