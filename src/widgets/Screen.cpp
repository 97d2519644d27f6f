#include "widgets/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace
{
QSize overrideSize;
}

QSize screenSize()
{
    if (!overrideSize.isEmpty())
        return overrideSize;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

void setScreenSizeOverride(const QSize& size)
{
    overrideSize = size;
}
