#include "widgets/Widgets.h"

#include "widgets/Screen.h"
#include "widgets/TrText.h"

#include <QMouseEvent>
#include <QShortcut>

QColor designColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void setBackground(QWidget* w, int colorValue)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, designColor(colorValue));
    p.setColor(QPalette::Base, designColor(colorValue));
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->setProperty("designColor", colorValue);
}

int backgroundValue(const QWidget* w)
{
    const QVariant v = w->property("designColor");
    if (v.isValid())
        return v.toInt();
    const QColor c = w->palette().color(QPalette::Window);
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

void setTextColor(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

Panel::Panel(QWidget* parent, const QString& caption, Bevel bevel) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignCenter);
    switch (bevel) {
    case Raised:
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        break;
    case Lowered:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    case None:
        setFrameStyle(QFrame::NoFrame);
        break;
    }
    setLineWidth(1);
}

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {}

void PictureBox::setPicture(const QPixmap& p, bool stretch)
{
    setScaledContents(stretch);
    setPixmap(p);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(e);
}

QFont designFont(const QString& family, int pixelSize, bool bold, bool italic)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void installFontSubstitutes()
{
    // MS Sans Serif is narrow, as Liberation Sans is (it has Arial's
    // metrics); Verdana is wide, as DejaVu Sans is (drawn after the same model).
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"),
                                                               QStringLiteral("DejaVu Sans Mono")});
}

void markAsValue(QWidget* w)
{
    w->setProperty("shownValue", true);
}

bool isMarkedAsValue(const QWidget* w)
{
    return w->property("shownValue").toBool();
}

void showWindow(QWidget* w)
{
    // Kept on the screen: a window placed for a large screen is moved left or
    // up as far as it needs on a small one.
    const QSize screen = screenSize();
    QPoint at = w->pos();
    at.setX(qMax(0, qMin(at.x(), screen.width() - w->frameGeometry().width())));
    at.setY(qMax(0, qMin(at.y(), screen.height() - w->frameGeometry().height())));
    if (at != w->pos())
        w->move(at);
    w->show();
    w->raise();
    w->activateWindow();
}

void onEscape(QWidget* window, const std::function<void()>& exit)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(shortcut, &QShortcut::activated, window, exit);
}

void fitTextToWidth(QLabel* label, int designPixels, int minPixels)
{
    QFont f = label->font();
    const int room = label->contentsRect().width() - 2 * label->margin() - 4;
    int px = designPixels;
    for (; px > minPixels; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(label->text()) <= room)
            break;
    }
    f.setPixelSize(px);
    label->setFont(f);
}

QLabel* designLabel(QWidget* parent, const char* context, const char* source, int x, int y,
                    int pixelSize)
{
    auto* l = new QLabel(parent);
    l->setFont(designFont(QStringLiteral("MS Sans Serif"), pixelSize, true));
    l->move(x, y);
    l->setProperty("trAdjustSize", true);
    setTrText(l, context, source);
    return l;
}
