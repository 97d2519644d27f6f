#include "widgets/KeyEdit.h"

#include "logdata/TextCodec.h"
#include "widgets/Dialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QValidator>

namespace
{
// Keeps out what the field cannot hold however it arrives (the context
// menu's paste, a drop); typing and Ctrl+V are refused with a message first.
class CodePageValidator : public QValidator
{
public:
    explicit CodePageValidator(KeyEdit* edit) : QValidator(edit), m_edit(edit) {}
    State validate(QString& input, int&) const override
    {
        return m_edit->holds(input) ? Acceptable : Invalid;
    }

private:
    KeyEdit* m_edit;
};
} // namespace

KeyEdit::KeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new CodePageValidator(this));
}

bool KeyEdit::accepts(const QString& text)
{
    if (holds(text))
        return true;
    QString refused;
    for (const QChar c : text)
        if (!text::fitsCp1252(QString(c)) && !c.isSurrogate())
            refused += c;
    if (refused.isEmpty())
        refused = text;
    dialogs().showError(QCoreApplication::translate(
                            "KeyEdit",
                            "\"%1\" cannot be stored here: the text is kept in the Windows-1252 "
                            "code page, which has no such character.")
                            .arg(refused));
    return false;
}

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
    if (e->matches(QKeySequence::Paste) && !accepts(QGuiApplication::clipboard()->text()))
        return;
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
        if (!accepts(e->text()))
            return true;
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
