// Conversion between the program's Windows-1252 texts and UTF-8 (terminal
// output, source literals, window titles of the desktop).
#pragma once

#include <string>
#include <string_view>

namespace tarvek {

std::string cp1252_to_utf8(std::string_view text);
// Characters that Windows-1252 cannot hold become "?"; malformed UTF-8 bytes
// are taken as Windows-1252 bytes.
std::string utf8_to_cp1252(std::string_view text);
// True when `text` is well-formed UTF-8 whose every character Windows-1252
// can hold, so that it survives the round trip unchanged.
bool fits_cp1252(std::string_view utf8);

}  // namespace tarvek
