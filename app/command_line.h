// The options a person gives the program by hand: --help (-h), --version.
// An instruction string never starts with "-", so the ERP's calls never
// reach them.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tarvek {

// The program's version, and the commit it was built from when known.
std::string version_text();

// Handles an option given as the only argument: prints the usage (--help,
// -h) or the version (--version) on `out` and gives exit code 0, or says on
// `err` that any other argument starting with "-" is not understood and
// gives exit code 2. Nothing for an instruction or no argument. Texts follow
// the locale's language, UTF-8.
std::optional<int> handle_option(const std::vector<std::string>& arguments, std::ostream& out,
                                 std::ostream& err);

}  // namespace tarvek
