#pragma once
// An entry field whose key-press handler runs before the key takes effect, as
// the forms expect: the handler sees the field's text without the key, may
// change the key (for example "," to ".") or swallow it (set it to 0).
// Enter arrives as character 13, Backspace as 8, Tab as 9.
#include "logdata/TextCodec.h"

#include <QLineEdit>

#include <functional>

class KeyEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit KeyEdit(QWidget* parent = nullptr);

    // Typed letters become capitals (the field's own property).
    void setUpperCase(bool on) { m_upper = on; }

    std::function<void(QChar& key)> onKeyPress;

    // The field's text is kept in the Windows-1252 code page: a character it
    // cannot hold is refused, with a message, unless `utf8Allowed` says the
    // value may be UTF-8 (its line already is). Fields that take any text
    // (a path) are set free.
    std::function<bool()> utf8Allowed;
    void setAnyText(bool on) { m_anyText = on; }
    // True when the field can keep `text` by those rules.
    bool holds(const QString& text) const
    {
        return m_anyText || text::fitsCp1252(text) || (utf8Allowed && utf8Allowed());
    }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool handleKey(QKeyEvent* e);
    // True when `text` may go into the field; otherwise the operator is told.
    bool accepts(const QString& text);
    bool m_upper = false;
    bool m_anyText = false;
};
