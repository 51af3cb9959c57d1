// tarvek-docs: produces one document for the ERP, as its instruction string
// (the first argument) says.
#include <iostream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/headless.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    try {
        tarvek::Application app;
        return tarvek::run_headless(app, arguments, std::cerr);
    } catch (const std::exception& e) {
        tarvek::show_message(std::cerr, e.what());
        return 1;
    }
}
