#include "app/Language.h"

#include "logdata/State.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

namespace
{
struct Installed {
    bool tried = false;
    QByteArray language;
    std::unique_ptr<QTranslator> translator;
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
} // namespace

bool useLanguage()
{
    const QByteArray& language = G().ProgramSettings.Language;
    Installed& i = installed();
    if (i.tried && i.language == language)
        return i.translator != nullptr;
    i.tried = true;
    if (i.translator)
        QCoreApplication::removeTranslator(i.translator.get());
    i.translator.reset();
    i.language = language;
    if (!plainName(language) || !QCoreApplication::instance())
        return false;
    auto t = std::make_unique<QTranslator>();
    if (!t->load(QStringLiteral(":/i18n/vosmira_") + QString::fromLatin1(language) +
                 QStringLiteral(".qm")))
        return false;
    QCoreApplication::installTranslator(t.get());
    i.translator = std::move(t);
    return true;
}
