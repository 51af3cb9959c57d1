// The fuzz targets: each takes one input and checks what must hold for every
// input, raising FuzzFailure when something does not (a crash or a sanitizer
// report is a failure too). The libFuzzer programs (tarvek-fuzz-<target>,
// built with clang and TARVEK_FUZZ) and the replay of the saved inputs in the
// normal test run call the same functions.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvek::fuzz {

class FuzzFailure : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// An instruction string: every key's value, the document kind.
void instruction(std::string_view input);
// A parameter string of the service orders and conditional documents.
void parameter_string(std::string_view input);
// A display format applied to numbers of every kind.
void display_format(std::string_view input);
// Picture file bytes: decoded, or refused with an error.
void picture(std::string_view input);
// PDF string escaping of the bytes, and PDF numbers of the doubles they
// spell.
void pdf_text(std::string_view input);

// A Pix payload: its checks, and the payload broken into lines anywhere,
// which must join back into it.
void pix_payload(std::string_view input);

// Stored page bytes, read without a picture store and with one that knows
// two pictures: refused with an error, or a page that writes bytes which
// read back as the same page.
void page(std::string_view input);

// Pages as the page collection stores them, to start the page target from:
// a file name and the bytes of each. The saved inputs must stay these.
std::vector<std::pair<std::string, std::string>> page_seeds();

// The targets by name ("instruction", "display_format", ...); null for an
// unknown name.
using Target = void (*)(std::string_view);
Target target_named(std::string_view name);

}  // namespace tarvek::fuzz
