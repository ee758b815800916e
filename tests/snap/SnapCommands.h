#pragma once
// A short scripted command sequence on the main window, run as the user would: clicks on its
// buttons, a choice in a list, and the answers of the file dialogs and message boxes.
//
//   open=PATH         Open, the file dialog answered with PATH
//   save=PATH         Save, the file dialog answered with PATH
//   click=NAME        a click on the named button or tool button
//   pick=NAME:ENTRY   the entry of the named list chosen
//   answer=yes|no|cancel|ok   the answer of the next message box

#include <string>
#include <vector>

class MainPage;

// Runs the commands in order; false with `error` set for a command it does not know or a control
// the window does not have.
bool RunCommands(MainPage& page, const std::vector<std::string>& commands, std::string& error);
