#pragma once
// Small helpers for building the forms the way they are designed: panels with
// a caption, picture boxes that can be clicked, colours given as the design's
// colour values (R + 256*G + 65536*B).
#include <QColor>
#include <QLabel>
#include <QPushButton>

#include <functional>

QColor designColor(int value);
// Sets a widget's background colour (form, panel, lamp).
void setBackground(QWidget* w, int colorValue);
void setTextColor(QWidget* w, const QColor& c);
int backgroundValue(const QWidget* w);

// A panel: a framed box that shows a caption, centred unless told otherwise.
class Panel : public QLabel
{
    Q_OBJECT
public:
    enum Bevel { Raised, Lowered, None };
    explicit Panel(QWidget* parent, const QString& caption = QString(), Bevel bevel = Raised);
    void setCaption(const QString& text) { setText(text); }
    QString caption() const { return text(); }
};

// A picture box; emits clicked() on a left click.
class PictureBox : public QLabel
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);
    void setPicture(const QPixmap& p, bool stretch = true);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A label that emits clicked() (labels with a hand cursor act like buttons).
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

QFont designFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

// The forms ask for the Windows fonts of their design ("MS Sans Serif",
// "Verdana", "Arial", "Courier New"). On Linux these stand for the
// Liberation fonts (metric-compatible with Arial and Courier New) and DejaVu
// Sans, so every machine shows the same proportional text (and the list its
// fixed pitch). Call once at start.
void installFontSubstitutes();

// Marks a control whose text is a value or a name (a QSO's field, a count, a
// path, the program's name) rather than a text of the program: it is not
// translated. Used by the check that every window speaks one language.
void markAsValue(QWidget* w);
bool isMarkedAsValue(const QWidget* w);

// Shows a window and brings it to the front, active.
void showWindow(QWidget* w);

// Escape in the window does what `exit` does (its exit button).
void onEscape(QWidget* window, const std::function<void()>& exit);

// The largest pixel size, at most the label's own, at which its text fits its
// width (not below `minPixels`): a long call or country name shown whole.
void fitTextToWidth(QLabel* label, int designPixels, int minPixels = 9);

// A bold MS Sans Serif label at a design position, sized to its text, with
// the English text `source` in the language of the windows (see setTrText).
QLabel* designLabel(QWidget* parent, const char* context, const char* source, int x, int y,
                    int pixelSize = 13);
