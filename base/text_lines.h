// A multi-line text as the hidden memos of the main window hold it: a list
// of lines whose text is every line followed by CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// Splits at CR LF, a lone CR or a lone LF; a final line break adds no empty
// line.
std::vector<std::string> split_lines(std::string_view text);

class TextLines {
  public:
    TextLines() = default;
    explicit TextLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    const std::vector<std::string>& lines() const { return lines_; }
    std::vector<std::string>& lines() { return lines_; }
    // Each line followed by CR LF.
    std::string text() const;
    // Splits at CR LF, a lone CR or a lone LF; a final line break adds no
    // empty line.
    void set_text(std::string_view text);
    void clear() { lines_.clear(); }
    void add(std::string line) { lines_.push_back(std::move(line)); }

  private:
    std::vector<std::string> lines_;
};

}  // namespace tarvek
