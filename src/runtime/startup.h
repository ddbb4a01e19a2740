#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace runtime {

// Starts the program: checks that there is a display, creates the application with
// its name, version and Qt's Bulgarian texts, creates the start-up window, shows it
// and delivers events until it is closed. Returns the process exit code.
int runProgram(int &argc, char **argv, const std::function<std::unique_ptr<QWidget>()> &createWindow);

// Loads Qt's own Bulgarian texts (context menus, message box buttons) into the
// running application; false when the translation is not installed.
bool installBulgarianQtTexts();

} // namespace runtime
