#include "qslwin/QslCommand.h"

#include "app/Language.h"
#include "logdata/Logbook.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "qsl/Credentials.h"
#include "qslwin/QslRunner.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstring>

namespace
{
// Exit codes: the run failed in any way; the arguments are not understood.
constexpr int kFailed = 1;
constexpr int kUsage = 2;
} // namespace

bool isQslCommand(int argc, char** argv)
{
    return argc >= 2 && std::strcmp(argv[1], "qsl") == 0;
}

int runQslCommand(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    ProgramState state;
    Load_Config(state);
    // The messages in the language of the windows.
    installLanguage(state.ProgramSettings.Language);

    const QStringList args = QCoreApplication::arguments();
    const QString action = args.value(2);
    const QString service = args.value(3);
    if (args.size() != 4 ||
        (action != QLatin1String("upload") && action != QLatin1String("download")) ||
        (service != QLatin1String("eqsl") && service != QLatin1String("lotw"))) {
        err << QCoreApplication::translate("QslCommand",
                                           "usage: vosmira qsl upload|download eqsl|lotw")
            << Qt::endl;
        return kUsage;
    }

    state.DisplayFormat = 1;
    Logbook log(state);
    const LoadReport loaded = log.load();
    if (!loaded.opened) {
        err << QCoreApplication::translate("QslCommand", "The logbook could not be read: %1")
                   .arg(loaded.errorReason.isEmpty()
                            ? QCoreApplication::translate("QslCommand", "no log file is set")
                            : loaded.errorReason)
            << Qt::endl;
        return kFailed;
    }
    const auto secrets =
        qsl::Credentials::standard([&err](const QString& notice) { err << notice << Qt::endl; });
    QslRunner runner(log, *secrets);
    bool done = false;
    int rc = kFailed;
    QObject::connect(&runner, &QslRunner::finished, &app, [&](const QslRunReport& report) {
        for (const QslResultRow& row : report.rows)
            out << row.text() << Qt::endl;
        out << report.summary << Qt::endl;
        rc = report.ok ? 0 : kFailed;
        done = true;
        QCoreApplication::quit();
    });
    runner.start(service == QLatin1String("eqsl") ? qsl::Service::Eqsl : qsl::Service::Lotw,
                 action == QLatin1String("upload") ? QslRunner::Action::Upload
                                                   : QslRunner::Action::Download);
    if (!done)
        app.exec();
    return rc;
}
