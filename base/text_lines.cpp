#include "base/text_lines.h"

namespace tarvek {

std::string TextLines::text() const {
    std::string out;
    for (const std::string& line : lines_) out += line + "\r\n";
    return out;
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

void TextLines::set_text(std::string_view text) {
    lines_ = split_lines(text);
}

}  // namespace tarvek
