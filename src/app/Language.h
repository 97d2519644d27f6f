#pragma once
// The windows' language. Every text a person reads is written in English in
// the code and goes through Qt's translation system; each other language is a
// Qt translation (resources/translations/vosmira_<setting>.ts, compiled at
// build time), picked by the language setting as config.dat stores it ("Eng",
// "Ger"). Adding a language is adding its .ts file. Qt's own texts (file
// chooser, print dialog, buttons of message boxes) come from Qt's translation
// for the same language.
//
// A widget's text is set with setTrText() and friends (widgets/TrText.h);
// useLanguage() sets all such texts anew in every window.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "widgets/TrText.h"

// Installs the translation of the language setting (removing the one before)
// and sets the texts of every window in it. Returns true when a translation
// (or English, which needs none) is in use.
bool useLanguage();
// The same without windows (the command line): only the translations of the
// language setting `setting` installed.
bool installLanguage(const QByteArray& setting);

// The language settings there is a translation for, from the compiled
// translation files (English, the source language, among them).
QStringList availableLanguages();
// The name of a language setting in its own language ("Deutsch", "English").
QString languageName(const QByteArray& setting);
// The translation a setting stands for: an empty setting (a config.dat
// without a language line) is German, as the windows have always been then.
QByteArray effectiveLanguage(const QByteArray& setting);
