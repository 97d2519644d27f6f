// One language per window: every text a person reads goes through Qt's
// translation system. A pseudo-translation wraps every text it is asked for
// in ⟦ ⟧, so a text that is not wrapped in some window or message bypassed
// the translation. The German translation has every text the windows show.
#include "app/Language.h"
#include "app/WindowFactory.h"
#include "editing/OpenedLine.h"
#include "editing/auswahl_select.h"
#include "editing/del_qso.h"
#include "editing/eingabe.h"
#include "editing/message_del.h"
#include "editing/new_call.h"
#include "eqsl/ReplyJudge.h"
#include "eqsl/ScriptRunner.h"
#include "eqsl/eQSL.h"
#include "logdata/Settings.h"
#include "logdata/TextList.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "printing/Drucken.h"
#include "settings/config.h"
#include "support/editing_Fixture.h"
#include "widgets/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QSet>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace
{
const QString kOpen = QStringLiteral("⟦");
const QString kClose = QStringLiteral("⟧");

class PseudoTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (!source || !*source)
            return QString();
        // The program's own texts (Qt's classes have contexts of their own).
        const QByteArray c(context);
        if (!c.startsWith('Q') || c == "QsoEntryForm")
            asked.insert(QString::fromUtf8(source));
        return kOpen + QString::fromUtf8(source) + kClose;
    }
    mutable QSet<QString> asked;
    bool isEmpty() const override { return false; }
};

bool wrapped(const QString& text)
{
    return text.contains(kOpen) && text.contains(kClose);
}

QList<QByteArray> log()
{
    return {"<call:6>N0CALL<qso_date:8>20230115<time_on:6>123456<freq:9>14.074123<band:3>20m"
            "<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05<gridsquare:4>JO62 <eor>",
            "<call:5>EI1AB<qso_date:8>20240314<time_on:4>1415<band:x>20m<mode:3>FT4 <eor>"};
}

// The texts of every window that are not values, with where they are.
QStringList textsOfTheWindows()
{
    QStringList out;
    auto add = [&out](const QWidget* w, const QString& what, const QString& text) {
        if (!text.isEmpty())
            out << QStringLiteral("%1 %2: %3")
                       .arg(QString::fromLatin1(w->window()->metaObject()->className()), what,
                            text);
    };
    for (QWidget* top : QApplication::topLevelWidgets()) {
        QList<QWidget*> all = top->findChildren<QWidget*>();
        all.prepend(top);
        for (QWidget* w : all) {
            // The status line's messages are checked with the messages: it
            // keeps one made before the language changed.
            if (isMarkedAsValue(w) || w->objectName() == QLatin1String("StatusLine"))
                continue;
            if (w->isWindow())
                add(w, QStringLiteral("title"), w->windowTitle());
            add(w, QStringLiteral("tip"), w->toolTip());
            if (auto* label = qobject_cast<QLabel*>(w))
                add(w, QStringLiteral("label"), label->text());
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                add(w, QStringLiteral("button"), button->text());
        }
    }
    const QAbstractItemModel* grid = windows().Form1->StringGrid1->model();
    for (int c = 0; c < grid->columnCount(); ++c)
        add(windows().Form1, QStringLiteral("column"),
            grid->headerData(c, Qt::Horizontal).toString());
    return out;
}

// Every source text of the German translation with its translation.
QHash<QString, QString> germanTexts()
{
    QFile f(QStringLiteral(VOSMIRA_SOURCE_DIR "/resources/translations/vosmira_Ger.ts"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QString> out;
    QXmlStreamReader xml(&f);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            // A message with plural forms holds them as child elements.
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            out.insert(source, unfinished ? QString() : text);
        }
    }
    return out;
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void everyWindowGoesThroughTheTranslation();
    void everyMessageGoesThroughTheTranslation();
    void eachLanguageShowsOnlyItsTexts();
    void germanIsComplete();
    void qtsOwnTextsFollowTheLanguage();
};

void TestTranslations::everyWindowGoesThroughTheTranslation()
{
    EditingProgram p(log(), "Ger");
    PseudoTranslator pseudo;
    QCoreApplication::installTranslator(&pseudo);
    retranslateAll();

    // Every window open, in the states that show other texts.
    TForm1* main = windows().Form1;
    EditingProgram::openRow(1); // EI: a country is shown
    QTest::mouseClick(windows().Form2->BitBtn4, Qt::LeftButton);
    main->Image3Click();
    QTest::mouseClick(windows().Form2->BitBtn5, Qt::LeftButton);
    windows().Form8->Button1Click();
    main->BitBtn1Click();
    showWindow(windows().Form4);
    showWindow(windows().Form5);
    main->Button1Click(); // the search's controls

    const QStringList texts = textsOfTheWindows();
    QVERIFY(texts.size() > 100);
    QStringList bypassed;
    for (const QString& t : texts)
        if (!wrapped(t.section(QStringLiteral(": "), 1)))
            bypassed << t;
    // The main window's title is the program's name and version.
    bypassed.removeAll(QStringLiteral("TForm1 title: Vosmira V4.2"));
    QVERIFY2(bypassed.isEmpty(), qPrintable(bypassed.join(QLatin1Char('\n'))));

    // Every text the windows asked for has its German translation.
    const QHash<QString, QString> german = germanTexts();
    QStringList untranslated;
    for (const QString& source : std::as_const(pseudo.asked))
        if (german.value(source).isEmpty())
            untranslated << source;
    QVERIFY2(pseudo.asked.size() > 80, qPrintable(QString::number(pseudo.asked.size())));
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
    QCoreApplication::removeTranslator(&pseudo);
}

void TestTranslations::everyMessageGoesThroughTheTranslation()
{
    EditingProgram p(log(), "Eng");
    PseudoTranslator pseudo;
    QCoreApplication::installTranslator(&pseudo);
    retranslateAll();
    QStringList messages;
    TForm1* main = windows().Form1;

    // The change form: an unreadable length, a bad date, a bad time, a
    // character the line cannot hold, then the question before leaving.
    EditingProgram::openRow(1);
    QTest::mouseClick(windows().Form2->BitBtn4, Qt::LeftButton);
    TForm3* change = windows().Form3;
    replaceAndEnter(change->Edit2, QStringLiteral("32.13.2023"));
    replaceAndEnter(change->Edit3, QStringLiteral("25:99"));
    typeText(change->Edit14, QStringLiteral("ł"));
    replaceAndEnter(change->Edit3, QStringLiteral("14:15"));
    replaceAndEnter(change->Edit2, QStringLiteral("14.03.2024"));
    QTest::mouseClick(change->BitBtn1, Qt::LeftButton);
    p.dialogs->saveAnswer = SaveChoice::Cancel;
    QTest::mouseClick(windows().Form2->BitBtn1, Qt::LeftButton);
    p.dialogs->saveAnswer = SaveChoice::Discard;
    QTest::mouseClick(windows().Form2->BitBtn1, Qt::LeftButton);

    // The new-QSO form asks for a time.
    main->Image3Click();
    TForm7* entry = windows().Form7;
    entry->Edit3->setFocus();
    QTest::keyClick(entry->Edit3, Qt::Key_Return);
    QTest::mouseClick(entry->BitBtn2, Qt::LeftButton);

    // Writing and reading the logbook and the settings.
    main->ReportRewrite(RewriteOutcome{RewriteResult::Failed, 0, QStringLiteral("reason")});
    main->ReportRewrite(RewriteOutcome{RewriteResult::ChangedOnDisk, 0, QStringLiteral("reason")});
    G().ConfigSaveError = QStringLiteral("reason");
    G().ConfigSaveReported = false;
    main->reportConfigProblem();
    G().ConfigSaveError.clear();

    // The eQSL account, incomplete; the printout with nothing to print.
    showWindow(windows().Form4);
    windows().Form4->Button1Click();
    windows().Form5->ListBox1->clear();
    windows().Form5->Drucken();
    messages << p.dialogs->messages;

    // Messages made outside the windows.
    messages << lineMovedText() << eqsl::noReplyText() << eqsl::replyFileMissingText();
    for (eqsl::RunOutcome o : {eqsl::RunOutcome::TimedOut, eqsl::RunOutcome::NoScript,
                               eqsl::RunOutcome::NoCommand, eqsl::RunOutcome::CurlMissing,
                               eqsl::RunOutcome::CannotStart, eqsl::RunOutcome::CommandNotFound}) {
        eqsl::RunResult r;
        r.outcome = o;
        messages << eqsl::runFailureText(r, 30000);
    }
    QVERIFY(QDir(p.dir->path()).mkdir(QStringLiteral("List.txt")));
    buildTextList(G(), [&messages](const QString& text) { messages << text; });

    // The status line: a logbook that is not there.
    G().LogFilePath = QFile::encodeName(p.dir->file("gone.adi"));
    G().ProgramSettings.LogPathSetting = G().LogFilePath;
    main->LoadLogbook();
    messages << main->statusText();

    QVERIFY(messages.size() >= 20);
    QStringList bypassed;
    for (const QString& m : messages)
        if (!wrapped(m))
            bypassed << m;
    QVERIFY2(bypassed.isEmpty(), qPrintable(bypassed.join(QLatin1Char('\n'))));
    QCoreApplication::removeTranslator(&pseudo);
}

void TestTranslations::eachLanguageShowsOnlyItsTexts()
{
    // With each compiled translation, no window shows a text of the other
    // language: in German no English source text that German translates
    // otherwise, in English no such German translation.
    const QHash<QString, QString> german = germanTexts();
    QSet<QString> germanOnly;
    for (auto it = german.begin(); it != german.end(); ++it)
        if (it.value() != it.key())
            germanOnly.insert(it.value());
    for (const QString& language : availableLanguages()) {
        EditingProgram p(log(), language.toLatin1());
        TForm1* main = windows().Form1;
        EditingProgram::openRow(1);
        QTest::mouseClick(windows().Form2->BitBtn4, Qt::LeftButton);
        main->Image3Click();
        QTest::mouseClick(windows().Form2->BitBtn5, Qt::LeftButton);
        windows().Form8->Button1Click();
        main->BitBtn1Click();
        QStringList wrong;
        for (const QString& t : textsOfTheWindows()) {
            const QString shown = t.section(QStringLiteral(": "), 1);
            const bool english = german.contains(shown) && german.value(shown) != shown;
            if (language == QLatin1String("Ger") ? english : germanOnly.contains(shown))
                wrong << t;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(language + ":\n" + wrong.join(QLatin1Char('\n'))));
    }
}

void TestTranslations::germanIsComplete()
{
    // Every text of the program has its German translation, and the English
    // source is the language of every other setting.
    const QHash<QString, QString> german = germanTexts();
    QVERIFY(german.size() > 250);
    QStringList missing;
    for (auto it = german.begin(); it != german.end(); ++it)
        if (it.value().isEmpty())
            missing << it.key();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    QCOMPARE(availableLanguages(), (QStringList{"Eng", "Ger"}));
    QCOMPARE(languageName("Ger"), QStringLiteral("Deutsch"));
    QCOMPARE(languageName("Eng"), QStringLiteral("English"));
}

void TestTranslations::qtsOwnTextsFollowTheLanguage()
{
    // The buttons of Qt's own dialogs (the question before leaving a change,
    // the file chooser, the print dialog) in the window's language.
    EditingProgram p(log(), "Ger");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Discard"), QStringLiteral("Verwerfen"));
    QTest::mouseClick(windows().Form1->BitBtn1, Qt::LeftButton);
    QTest::mouseClick(windows().Configuration->Image2, Qt::LeftButton); // English
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    QCOMPARE(windows().Form1->Button2->text(), QStringLiteral("Exit"));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
