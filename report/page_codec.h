// Private to the page store: pictures as the page codec writes them, for
// the store that keeps each distinct picture once.
#pragma once

#include <string>
#include <string_view>

#include "report/picture.h"

namespace tarvek::report {

std::string encode_picture(const Picture& picture);
// Raises an error on damaged data.
Picture decode_picture(std::string_view bytes);

}  // namespace tarvek::report
