#pragma once
// An entry field whose key-press handler runs before the key takes effect, as
// the forms expect: the handler sees the field's text without the key, may
// change the key (for example "," to ".") or swallow it (set it to 0).
// Enter arrives as character 13, Backspace as 8, Tab as 9.
#include <QLineEdit>

#include <functional>

class KeyEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit KeyEdit(QWidget* parent = nullptr);

    // Typed letters become capitals (the field's own property).
    void setUpperCase(bool on) { m_upper = on; }
    bool upperCase() const { return m_upper; }

    std::function<void(QChar& key)> onKeyPress;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool handleKey(QKeyEvent* e);
    bool m_upper = false;
};
