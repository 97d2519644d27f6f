#include "app/Language.h"

#include "country/DxccEntities.h"
#include "logdata/State.h"
#include "widgets/TrText.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace
{
// English is the language the texts are written in.
const QByteArray kSourceLanguage = "Eng";

struct Installed {
    bool tried = false;
    QByteArray language;
    std::unique_ptr<QTranslator> own;
    std::unique_ptr<QTranslator> qt;
};

Installed& installed()
{
    static Installed i;
    return i;
}

// Only plain names lead to a translation file.
bool plainName(const QByteArray& name)
{
    if (name.isEmpty() || name.size() > 16)
        return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

QString qmPath(const QByteArray& setting)
{
    return QStringLiteral(":/i18n/vosmira_") + QString::fromLatin1(setting) + QStringLiteral(".qm");
}

void remove(std::unique_ptr<QTranslator>& t)
{
    if (t)
        QCoreApplication::removeTranslator(t.get());
    t.reset();
}
} // namespace

QByteArray effectiveLanguage(const QByteArray& setting)
{
    return setting.isEmpty() ? QByteArray("Ger") : setting;
}

QStringList availableLanguages()
{
    QStringList names;
    const QStringList files =
        QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("vosmira_*.qm")}, QDir::Files);
    for (const QString& f : files)
        names << f.mid(8, f.size() - 8 - 3);
    if (!names.contains(QString::fromLatin1(kSourceLanguage)))
        names.prepend(QString::fromLatin1(kSourceLanguage));
    names.sort();
    return names;
}

QString languageName(const QByteArray& setting)
{
    QTranslator t;
    if (setting != kSourceLanguage && t.load(qmPath(setting)) && !t.language().isEmpty()) {
        const QLocale locale(t.language());
        const QString name = locale.nativeLanguageName();
        if (!name.isEmpty())
            return name.left(1).toUpper() + name.mid(1);
    }
    if (setting == kSourceLanguage)
        return QStringLiteral("English");
    return QString::fromLatin1(setting);
}

bool useLanguage()
{
    const QByteArray setting = G().ProgramSettings.Language;
    const Installed& i = installed();
    // The windows' texts are set anew only when the language changes.
    const bool same = i.tried && i.language == effectiveLanguage(setting);
    const bool ok = installLanguage(setting);
    if (!same)
        retranslateAll();
    return ok;
}

bool installLanguage(const QByteArray& setting)
{
    const QByteArray language = effectiveLanguage(setting);
    Installed& i = installed();
    if (i.tried && i.language == language)
        return i.own != nullptr || language == kSourceLanguage;
    i.tried = true;
    i.language = language;
    remove(i.own);
    remove(i.qt);
    bool ok = language == kSourceLanguage;
    if (plainName(language) && QCoreApplication::instance()) {
        auto own = std::make_unique<QTranslator>();
        if (own->load(qmPath(language))) {
            QCoreApplication::installTranslator(own.get());
            // Qt's own dialogs in the same language, when Qt has a translation.
            const QString qtLanguage = own->language();
            auto qt = std::make_unique<QTranslator>();
            if (!qtLanguage.isEmpty() && language != kSourceLanguage &&
                qt->load(QLocale(qtLanguage), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                QCoreApplication::installTranslator(qt.get());
                i.qt = std::move(qt);
            }
            i.own = std::move(own);
            ok = true;
        }
    }
    // The entity names (and the country room's texts) in the same language.
    country::installCountryTranslation(QString::fromLatin1(language));
    return ok;
}
