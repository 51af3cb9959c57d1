// tarvek-docs: produces one document for the ERP, as its instruction string
// (the first argument) says. With an X display it runs as a desktop program;
// without one it runs the job on the terminal.
#include <malloc.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/gui/gui_application.h"
#include "app/headless.h"
#include "app/window_titles.h"
#include "base/termination.h"

int main(int argc, char** argv) {
    // A batch builds every page from short-lived buffers of up to a few
    // hundred KB on two threads. The allocator's adaptive limits kept handing
    // that memory back to the system and faulting it in again, which cost
    // a tenth of a large batch's CPU time; fixed limits keep it at hand.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 32 << 20);
    // A terminated job leaves no half-written document behind.
    tarvek::install_termination_handlers();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    // A person's options need neither a display nor a database.
    if (const std::optional<int> code = tarvek::handle_option(arguments, std::cout, std::cerr))
        return *code;
    try {
        tarvek::Application app;
        if (tarvek::XDisplay::available()) {
            return tarvek::run_gui(app, arguments, argc > 0 ? argv[0] : "tarvek-docs");
        }
        return tarvek::run_headless(app, arguments, std::cerr);
    } catch (const std::exception& e) {
        tarvek::show_message(std::cerr, e.what());
        return 1;
    }
}
