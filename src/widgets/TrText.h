#pragma once
// Texts that follow the windows' language. A widget's text is set with
// setTrText() and friends: the widget keeps the English text and its context,
// and every change of the language sets all such texts anew in every window.
class QWidget;

// Texts that follow the language. `context` and `source` must live as long as
// the program (string literals marked with QT_TRANSLATE_NOOP or QT_TR_NOOP).
void setTrText(QWidget* w, const char* context, const char* source);
void setTrToolTip(QWidget* w, const char* context, const char* source);
void setTrTitle(QWidget* w, const char* context, const char* source);
// Sets every text marked above in `root` and its children in the current
// language.
void retranslateTree(QWidget* root);
// The same for every window of the program.
void retranslateAll();
