#pragma once
// The country file fetched from its address (country-files.com keeps it
// current): the download is checked to be a whole country file with a
// sensible number of entities before it replaces cty.csv in the working
// directory, at once and as a whole. A failed or broken download leaves the
// file that was there and says why. The address is kept in services.conf.
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QNetworkAccessManager;
#include <QNetworkReply>
class QPushButton;

inline constexpr const char* kCountryAddressKey = "country.address";
inline constexpr const char* kDefaultCountryAddress = "https://www.country-files.com/cty/cty.csv";

class CountryFileDownload : public QObject
{
    Q_OBJECT
public:
    explicit CountryFileDownload(QObject* parent = nullptr);
    ~CountryFileDownload() override;

    // Fetches `address` and, when it is a country file, makes it
    // `folder`/cty.csv. One download at a time.
    void start(const QUrl& address, const QString& folder);
    bool running() const { return m_reply != nullptr; }

    // Whether `bytes` are a country file worth using; `why` says what is not.
    static bool check(const QByteArray& bytes, QString* why, int* entities = nullptr);

signals:
    // The download is over: `ok` when cty.csv was replaced; `message` says
    // what happened, in the window's language.
    void finished(bool ok, const QString& message);

private:
    void done();
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QString m_folder;
    bool m_tooLarge = false;
};

// The configuration's row for it: the address, "Download" and what came of it.
class CountryFilePanel : public QWidget
{
    Q_OBJECT
public:
    explicit CountryFilePanel(QWidget* parent = nullptr);

    // Shows the address as services.conf keeps it.
    void loadAddress();
    // Keeps the address shown in services.conf.
    void saveAddress();
    void download();

    QLineEdit* Address = nullptr;
    QPushButton* DownloadButton = nullptr;
    QLabel* Status = nullptr;
    CountryFileDownload* fetcher() const { return m_download; }

signals:
    // cty.csv in the working directory was replaced by a downloaded one.
    void countryFileReplaced();

private:
    CountryFileDownload* m_download = nullptr;
};
