// Small tools every test program shares: a temporary folder, running a shell
// command, and the words a PDF reader finds on a page.
#pragma once

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace tarvek::test {

// A test name from a case's label: ASCII letters and digits kept, every
// other byte "_" (GoogleTest accepts nothing else).
inline std::string test_name(const std::string& label) {
    std::string name;
    for (const char ch : label) {
        const bool alnum =
            (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        name += alnum ? ch : '_';
    }
    return name.empty() ? "empty" : name;
}

// Names parameterised tests after the `label` of their cases.
struct LabelName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return test_name(info.param.label);
    }
};

// A folder removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarvek-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

struct CommandResult {
    int status = -1;  // the exit code, -1 when the command did not end normally
    std::string output;
};

// Runs `command` through the shell and collects its standard output.
inline CommandResult run_command(const std::string& command) {
    CommandResult result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// A word of a PDF page with its box in points, y from the top.
struct PdfWord {
    std::string text;
    double x_min = 0, y_min = 0, x_max = 0, y_max = 0;
};

// The words of the reader's bounding-box listing ("pdftotext -bbox").
inline std::vector<PdfWord> parse_pdf_words(const std::string& bbox_listing) {
    static const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (auto it = std::sregex_iterator(bbox_listing.begin(), bbox_listing.end(), word);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        words.push_back({m[5].str(), std::stod(m[1].str()), std::stod(m[2].str()),
                         std::stod(m[3].str()), std::stod(m[4].str())});
    }
    return words;
}

// The words the PDF reader finds on one page (1-based).
inline std::vector<PdfWord> pdf_words(const std::string& pdf, int page) {
    const std::string p = std::to_string(page);
    return parse_pdf_words(
        run_command("pdftotext -bbox -f " + p + " -l " + p + " '" + pdf + "' -").output);
}

}  // namespace tarvek::test
