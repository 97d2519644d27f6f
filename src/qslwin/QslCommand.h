#pragma once
// The QSL runs from the command line, for a cron job:
//   vosmira qsl upload eqsl|lotw
//   vosmira qsl download eqsl|lotw
// run in the working directory like the program (config.dat names the log,
// services.conf the accounts; the passwords come from the secret store). One
// line per result on standard output; the exit code is 0 only when
// everything went well.

// True when the arguments ask for a QSL run (argv[1] is "qsl").
bool isQslCommand(int argc, char** argv);
// Runs it (creates the application object itself) and returns the exit code.
int runQslCommand(int argc, char** argv);
