#include "app/KeyEdit.h"

#include <QKeyEvent>

KeyEdit::KeyEdit(QWidget* parent) : QLineEdit(parent) {}

bool KeyEdit::event(QEvent* e)
{
    // Tab is a key press of the field too (some forms move on with it); the
    // default focus change happens only when the handler leaves the key alone.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab && k->modifiers() == Qt::NoModifier && onKeyPress) {
            QChar key(9);
            onKeyPress(key);
            if (key.unicode() == 0 || !hasFocus())
                return true;
        }
    }
    return QLineEdit::event(e);
}

void KeyEdit::keyPressEvent(QKeyEvent* e)
{
    if (!handleKey(e))
        QLineEdit::keyPressEvent(e);
}

// Returns true when the key was consumed here.
bool KeyEdit::handleKey(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods != Qt::NoModifier)
        return false;
    QChar key;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = QChar(13);
        break;
    case Qt::Key_Backspace:
        key = QChar(8);
        break;
    default:
        if (e->text().size() != 1 || !e->text().at(0).isPrint())
            return false; // cursor keys and the like: no key press of the field
        key = e->text().at(0);
        if (m_upper)
            key = key.toUpper();
    }
    const QChar original = key;
    if (onKeyPress)
        onKeyPress(key);
    if (key.unicode() == 0)
        return true;
    if (key.unicode() == 13 || key.unicode() == 8) {
        if (key == original)
            return false;
    }
    if (key.unicode() == 13) {
        emit returnPressed();
        return true;
    }
    if (key.unicode() == 8) {
        backspace();
        return true;
    }
    if (m_upper)
        key = key.toUpper();
    if (key == e->text().at(0))
        return false;
    insert(QString(key));
    return true;
}
