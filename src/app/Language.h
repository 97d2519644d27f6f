#pragma once
// The windows' captions in the operator's language. The design captions are
// the source texts; each language is a Qt translation (a .ts file compiled at
// build time, vosmira_<Language>.ts), picked by the language setting exactly as
// it is written: "Eng" and "Ger" have one. Any other value has none, and the
// forms then keep the captions they have. Adding a language is adding its
// .ts file.
#include <QByteArray>

// Installs the translation of the language setting (removing the one before)
// and tells whether the forms are to set their captions from it.
bool useLanguage();
