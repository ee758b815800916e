#pragma once
// The program's start-up once the application object exists: the engine's host, the number
// separator of the user's locale, the command line and the splash window. main() runs it, and so
// do the tests that start the program.

#include <QStringList>

// `words` are the command line's words after the program name; together they name the project
// to open. The program then runs until its main window closes.
void StartProgram(const QStringList& words);
