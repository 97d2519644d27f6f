#pragma once
// The entry form the change form (TForm3) and the new-QSO form (TForm7) share:
// the same edits, labels and buttons, the same key filtering, and the Enter
// chain from field to field. Each form says where its values live and adds its
// own opening, saving and closing.
#include "editing/EntryRules.h"
#include "logdata/State.h"
#include "widgets/KeyEdit.h"
#include "widgets/Widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>

class QsoEntryForm : public QWidget
{
    Q_OBJECT
public:
    // The main window's grid size, from which the form is placed; set before
    // FormCreate.
    void setGridSize(QSize size) { m_grid = size; }

    // The key-press handlers of the edits: they filter and convert the keys
    // and move the focus on Enter. The value of a field follows its edit's
    // text as it changes.
    void Edit1KeyPress(QChar& key);
    void Edit2KeyPress(QChar& key);
    void Edit3KeyPress(QChar& key);
    void Edit5KeyPress(QChar& key);
    void Edit6KeyPress(QChar& key);
    void Edit7KeyPress(QChar& key);
    void Edit8KeyPress(QChar& key);
    void Edit9KeyPress(QChar& key);
    void Edit10KeyPress(QChar& key);
    void Edit11KeyPress(QChar& key);
    void Edit14KeyPress(QChar& key);
    void Edit15KeyPress(QChar& key);

    // Controls.
    QLabel* Label1 = nullptr; // product name
    QLabel* Label5 = nullptr; // credit line
    Panel* Panel1 = nullptr;  // separator bar
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label18 = nullptr;
    KeyEdit* Edit1 = nullptr;       // call
    KeyEdit* Edit2 = nullptr;       // QSO date
    KeyEdit* Edit3 = nullptr;       // time on
    KeyEdit* Edit5 = nullptr;       // frequency
    KeyEdit* Edit6 = nullptr;       // mode
    KeyEdit* Edit7 = nullptr;       // RST sent
    KeyEdit* Edit8 = nullptr;       // RST received
    KeyEdit* Edit9 = nullptr;       // band
    KeyEdit* Edit10 = nullptr;      // eQSL received
    KeyEdit* Edit11 = nullptr;      // locator
    KeyEdit* Edit14 = nullptr;      // comment
    KeyEdit* Edit15 = nullptr;      // eQSL sent
    QPushButton* BitBtn1 = nullptr; // save
    QPushButton* BitBtn2 = nullptr; // close
    Panel* Panel2 = nullptr;        // "ACHTUNG:"
    QLabel* Label17 = nullptr;      // the Enter hint

protected:
    QSize m_grid;
    enum class Kind { Change, NewQso };
    explicit QsoEntryForm(Kind kind, QWidget* parent = nullptr);

    // The field values this form edits (ChangeFields or NewQsoFields).
    virtual EditFieldSet& values() = 0;
    // The values as they were shown when read from a record (nullptr when
    // they were not read from one): a value left as it was is not checked
    // again and keeps its original form.
    virtual const EditFieldSet* shownValues() const { return nullptr; }
    // True when the record line the values go into is UTF-8 already: typed
    // text is then stored as UTF-8, otherwise in Windows-1252.
    virtual bool utf8Line() const = 0;

    // Sets the captions of the save button, the close button, the warning
    // panel and the Enter hint (in the language of the windows).
    void applyCaptions();

    // Empties every edit; the values are left to the caller.
    void clearEdits();
    // Shows `value` in the edit; a value read from a record may be longer than
    // the edit lets the operator type, and is shown whole.
    void showValue(KeyEdit* edit, const QByteArray& value);

    // Before a save: the stored date and time must be empty or a real date
    // and time; they are brought to DD.MM.YYYY and HH:MM. Otherwise the
    // operator is told, the focus goes to the edit, and false is returned.
    bool checkDateAndTime();

    // Puts the size and the place of the window (width, height, left, top).
    void place(int width, int height, int left, int top);

private:
    enum class Role { Plain, Call, Date, Time };
    struct Entry {
        KeyEdit* edit;
        QByteArray EditFieldSet::*value;
        entry::KeySet keys;
        int max;       // the field's capacity (-1: unbounded)
        int editLimit; // the characters the operator may type (0: no limit)
        Role role;
        QWidget* next; // the focus after Enter
    };
    void buildControls();
    void keyPress(const Entry& e, QChar& key);
    void takeEdit(const Entry& e);
    bool confirmDate(const Entry& e);
    bool confirmTime(const Entry& e);
    const Entry& entryFor(const KeyEdit* edit) const;

    Kind m_kind;
    std::array<Entry, 12> m_entries{};
};
