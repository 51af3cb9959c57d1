// Running the program with a screen: the Qt application, the engine's Qt
// windows (preview, progress, message boxes) and the main window.
#pragma once

#include <string>
#include <vector>

namespace tarvek {

struct Application;

// Runs the message loop until the main window closes and returns the exit
// code; the close timer may end the process earlier, from inside the loop.
// Needs an X display (see XDisplay::available()).
int run_gui(Application& app, const std::vector<std::string>& arguments,
            const std::string& program_name);

}  // namespace tarvek
