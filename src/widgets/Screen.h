#pragma once
// The screen size the forms are sized and placed from. Tests may set the size
// of the screen the program believes it runs on.
#include <QSize>

QSize screenSize();
void setScreenSizeOverride(const QSize& size); // an empty size removes the override
