#pragma once
// Small helpers for building the forms the way they are designed: panels with
// a caption, picture boxes that can be clicked, colours given as the design's
// colour values (R + 256*G + 65536*B).
#include <QColor>
#include <QLabel>
#include <QPushButton>

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

// A bold MS Sans Serif label at a design position, sized to its text.
QLabel* designLabel(QWidget* parent, const char* utf8Text, int x, int y, int pixelSize = 13);
