// Running one job without a display: what would be a message box goes to the
// given stream, and the result is the process's exit code.
//
// 0  the job ran to the end (an "email" operation wrote its document);
// 1  the job failed (its error message was reported);
// 2  nothing could run: no instruction, an unknown operation, or an operation
//    that needs a display.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tarvek {

struct Application;

int run_headless(Application& app, const std::vector<std::string>& arguments,
                 std::ostream& messages);

// A message box's text on a terminal: Windows-1252 converted to UTF-8.
void show_message(std::ostream& messages, const std::string& text_cp1252);

}  // namespace tarvek
