#include "settings/config.h"

#include "app/Language.h"
#include "dxcc/CountryFileDownload.h"
#include "logdata/Cp1252.h"
#include "logdata/Settings.h"
#include "widgets/Dialogs.h"
#include "widgets/JpegDecoder.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/Widgets.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace
{
const char* const kContext = "TConfiguration";
constexpr int kFormColour = 12696492;
constexpr int kTeal = 0x808000;   // RGB 0,128,128
constexpr int kPurple = 0x800080; // RGB 128,0,128

KeyEdit* edit(QWidget* parent, int x, int y, int w)
{
    auto* e = new KeyEdit(parent);
    e->setGeometry(x, y, w, 22);
    e->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
    setTextColor(e, designColor(kTeal));
    return e;
}

// The working directory as the operator's system writes paths, ending in its
// separator ("\" on Windows, "/" elsewhere).
QString workingDirectoryText()
{
    QString dir = QDir::toNativeSeparators(QDir::currentPath());
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}
} // namespace

TConfiguration::TConfiguration(QWidget* parent) : QWidget(parent)
{
    setTrTitle(this, kContext, QT_TR_NOOP("Configuration"));
    setBackground(this, kFormColour);
    buildControls();
}

void TConfiguration::buildControls()
{
    // Created in the order of their numbers, which is also the tab order; the
    // Enter chain follows the screen order instead (m_fields).
    const int x = 210;
    Edit1 = edit(this, x, 272, 500);
    Edit1->setAnyText(true); // a path, kept in the file system's encoding
    Edit1->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
    setTextColor(Edit1, designColor(kPurple));
    Edit2 = edit(this, x + 510, 272, 40);
    Edit2->hide();
    Edit3 = edit(this, x, 44, 300);
    Edit4 = edit(this, x, 70, 300);
    Edit5 = edit(this, x, 96, 300);
    Edit6 = edit(this, x, 122, 300);
    Edit7 = edit(this, x, 148, 140);
    Edit8 = edit(this, x, 200, 140);
    Edit9 = edit(this, x, 18, 140);
    Edit9->setUpperCase(true);
    Edit10 = edit(this, x, 226, 420);
    Edit11 = edit(this, x, 174, 300);

    designLabel(this, kContext, QT_TR_NOOP("Call:"), 16, 21);
    designLabel(this, kContext, QT_TR_NOOP("Name:"), 16, 47);
    designLabel(this, kContext, QT_TR_NOOP("First name:"), 16, 73);
    designLabel(this, kContext, QT_TR_NOOP("Street:"), 16, 99);
    designLabel(this, kContext, QT_TR_NOOP("Postcode / town:"), 16, 125);
    designLabel(this, kContext, QT_TR_NOOP("Locator:"), 16, 151);
    designLabel(this, kContext, QT_TR_NOOP("Country:"), 16, 177);
    designLabel(this, kContext, QT_TR_NOOP("ADL / DOK:"), 16, 203);
    designLabel(this, kContext, QT_TR_NOOP("Standard comment text:"), 16, 229);
    designLabel(this, kContext, QT_TR_NOOP("Path to the log file:"), 16, 275);

    Label10 = new QLabel(QStringLiteral("Vosmira"), this);
    markAsValue(Label10);
    Label10->setFont(designFont(QStringLiteral("Verdana"), 27, true));
    setTextColor(Label10, designColor(kTeal));
    Label10->move(560, 14);
    Label10->adjustSize();
    Label11 = new QLabel(this);
    setTrText(Label11, kContext, QT_TR_NOOP("by Dranek"));
    Label11->setFont(designFont(QStringLiteral("Arial"), 12, true));
    Label11->move(600, 52);
    Label11->adjustSize();

    Image1 = new PictureBox(this);
    Image1->setPicture(loadJpegPixmap(QStringLiteral(":/pictures/language-german.jpg")));
    Image1->setGeometry(560, 96, 30, 25);
    Image1->setCursor(Qt::PointingHandCursor);
    setTrToolTip(Image1, kContext, QT_TR_NOOP("German"));
    Image2 = new PictureBox(this);
    Image2->setPicture(loadJpegPixmap(QStringLiteral(":/pictures/language-english.jpg")));
    Image2->setGeometry(600, 96, 30, 25);
    Image2->setCursor(Qt::PointingHandCursor);
    setTrToolTip(Image2, kContext, QT_TR_NOOP("English"));
    Image3 = new PictureBox(this);
    Image3->setPicture(loadJpegPixmap(QStringLiteral(":/pictures/eqsl-config.jpg")));
    Image3->setGeometry(680, 96, 73, 105);
    Image3->setCursor(Qt::PointingHandCursor);
    setTrToolTip(Image3, kContext, QT_TR_NOOP("eQSL account"));

    Label2 = new QLabel(this);
    markAsValue(Label2); // the working directory
    Label2->setTextFormat(Qt::PlainText);
    Label2->setFont(designFont(QStringLiteral("MS Sans Serif"), 12, true));
    Label2->setGeometry(16, 312, 600, 20);

    // The languages there is a translation for, each by its own name.
    LanguageLabel = designLabel(this, kContext, QT_TR_NOOP("Language:"), 560, 130);
    Language = new QComboBox(this);
    Language->setGeometry(560, 150, 110, 24);
    for (const QString& name : availableLanguages())
        Language->addItem(languageName(name.toLatin1()), name);
    connect(Language, &QComboBox::activated, this,
            [this](int index) { chooseLanguage(Language->itemData(index).toString().toLatin1()); });

    // Beside the log path: a file chooser; choosing a file is typing its path
    // and Enter.
    ChooseLog = new QPushButton(QStringLiteral("…"), this);
    markAsValue(ChooseLog);
    ChooseLog->setGeometry(x + 504, 272, 30, 22);
    setTrToolTip(ChooseLog, kContext, QT_TR_NOOP("Choose the log file"));
    connect(ChooseLog, &QPushButton::clicked, this, [this] { chooseLogFile(); });

    // The country file: its address and a download of it.
    CountryFile = new CountryFilePanel(this);
    CountryFile->setGeometry(16, 338, 636, 54);

    Button1 = new QPushButton(this);
    setTrText(Button1, kContext, QT_TR_NOOP("Exit"));
    Button1->setGeometry(660, 330, 110, 30);
    Button1->setAutoDefault(true);

    // The fields in screen order, each with the field Enter moves to.
    m_fields = {
        {Edit9, &SettingsValues::OwnCall, 20, Edit3},
        {Edit3, &SettingsValues::OwnName, 50, Edit4},
        {Edit4, &SettingsValues::OwnFirstName, 50, Edit5},
        {Edit5, &SettingsValues::OwnStreet, 50, Edit6},
        {Edit6, &SettingsValues::OwnTown, 50, Edit7},
        {Edit7, &SettingsValues::OwnLocator, 20, Edit11},
        {Edit11, &SettingsValues::OwnCountry, 50, Edit8},
        {Edit8, &SettingsValues::OwnDok, 20, Edit10},
        {Edit10, &SettingsValues::StandardComment, 60, Edit1},
        {Edit2, nullptr, 0, Edit1},
        {Edit1, &SettingsValues::LogPathSetting, 0, nullptr},
    };
    for (const Field& f : m_fields) {
        KeyEdit* e = f.edit;
        e->onKeyPress = [this, e](QChar& key) { EditNKeyPress(e, key); };
        // A setting is the text its field shows, confirmed with Enter or not.
        if (f.value) {
            const auto value = f.value;
            const int limit = f.limit;
            connect(e, &QLineEdit::textChanged, this, [this, e, value, limit] {
                QByteArray text = e != Edit1 ? Cp1252::fromUnicode(e->text())
                                  : e->text() == QFile::decodeName(m_pathBytes)
                                      ? m_pathBytes
                                      : QFile::encodeName(e->text());
                if (limit > 0)
                    text.truncate(limit);
                G().ProgramSettings.*value = text;
            });
        }
    }

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onEscape(this, [this] { Button1Click(); });
    connect(Image1, &PictureBox::clicked, this, [this] { Image1Click(); });
    connect(Image2, &PictureBox::clicked, this, [this] { Image2Click(); });
    connect(Image3, &PictureBox::clicked, this, [this] { Image3Click(); });
}

void TConfiguration::place(int height)
{
    resize(800, height);
    move((m_grid.width() / 2) / 2, (m_grid.height() / 2) / 2);
}

void TConfiguration::setExitCaption()
{
    // The windows take the language at once, this dialog among them.
    useLanguage();
    if (Language) {
        const int at = Language->findData(
            QString::fromLatin1(effectiveLanguage(G().ProgramSettings.Language)));
        const QSignalBlocker quiet(Language);
        Language->setCurrentIndex(at);
    }
}

void TConfiguration::FormCreate()
{
    place(398);
    setExitCaption();
    Label2->setText(workingDirectoryText());
}

void TConfiguration::Open()
{
    ProgramState& s = G();
    place(418);
    // After a failed write the values in memory are the ones typed: the old
    // file must not undo them.
    if (s.ConfigSaveError.isEmpty())
        Load_Config(s);
    setExitCaption();
    showWindow(this);
    CountryFile->loadAddress();
    // The fields' values follow their texts, so the settings are copied
    // before the fields are emptied and filled again.
    const SettingsValues v = s.ProgramSettings;
    const QByteArray path = s.LogFilePath;
    for (KeyEdit* e : {Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11})
        e->clear();
    for (const Field& f : m_fields)
        if (f.value && f.edit != Edit1)
            f.edit->setText(Cp1252::toUnicode(v.*f.value));
    m_pathBytes = path;
    Edit1->setText(QFile::decodeName(path));
    Edit2->clear();
    s.DisplayFormat = 0;
    Edit9->setFocus();
}

void TConfiguration::EditNKeyPress(KeyEdit* edit, QChar& key)
{
    const auto it = std::find_if(m_fields.begin(), m_fields.end(),
                                 [edit](const Field& f) { return f.edit == edit; });
    if (it == m_fields.end())
        return;
    if (key.unicode() != 13)
        return;
    key = QChar(0); // Enter adds nothing to the field
    saveReloadInit();
    if (edit == Edit1)
        returnToLog();
    else
        it->next->setFocus();
}

void TConfiguration::chooseLogFile()
{
    // Where WSJT-X keeps its log, when it is there; otherwise the folder of
    // the path set, or the home folder.
    const QString wsjtx = QFileInfo(defaultWsjtxLogPath()).absolutePath();
    const QFileInfo current(Edit1->text());
    QString folder = QDir::homePath();
    if (QFileInfo(wsjtx).isDir())
        folder = wsjtx;
    else if (!Edit1->text().isEmpty() && current.absoluteDir().exists())
        folder = current.absolutePath();
    const QString chosen = dialogs().chooseFile(this, tr("Choose the log file"), folder,
                                                QStringLiteral("ADIF (*.adi *.adif *.ADI *.ADIF)"));
    if (chosen.isEmpty())
        return;
    Edit1->setText(chosen);
    QChar enter(13);
    EditNKeyPress(Edit1, enter);
}

void TConfiguration::saveReloadInit()
{
    saveAndReloadConfig(G());
    emit settingsSaved();
    emit gridResetWanted();
}

void TConfiguration::returnToLog()
{
    hide();
    emit returnedToLog();
}

void TConfiguration::Button1Click()
{
    returnToLog();
}

void TConfiguration::Image1Click()
{
    chooseLanguage("Ger");
}

void TConfiguration::Image2Click()
{
    chooseLanguage("Eng");
}

void TConfiguration::chooseLanguage(const QByteArray& setting)
{
    G().ProgramSettings.Language = setting;
    saveAndReloadConfig(G());
    setExitCaption();
    emit settingsSaved();
}

void TConfiguration::Image3Click()
{
    hide();
    emit accountRequested();
}
