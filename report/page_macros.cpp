// Page macros and their substitution into texts.
#include "report/metafile.h"

namespace tarvek::report {

std::string macro_value(const Macros& macros, const std::string& name, bool* found) {
    for (const auto& [key, value] : macros) {
        if (key == name) {
            if (found) *found = true;
            return value;
        }
    }
    if (found) *found = false;
    return {};
}

void set_macro(Macros& macros, const std::string& name, const std::string& value) {
    for (auto& [key, existing] : macros) {
        if (key == name) {
            existing = value;
            return;
        }
    }
    macros.emplace_back(name, value);
}

std::string GraphicSurface::substitute_macros(const std::string& text,
                                              const Macros* collection_macros) const {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('{', pos);
        const std::size_t close = open == std::string::npos ? open : text.find('}', open + 1);
        if (close == std::string::npos) break;
        out.append(text, pos, open - pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        bool found = false;
        std::string value = macro_value(macros, name, &found);
        if (!found && collection_macros) value = macro_value(*collection_macros, name, &found);
        out += found ? value : text.substr(open, close - open + 1);
        pos = close + 1;
    }
    out.append(text, pos, std::string::npos);
    return out;
}

}  // namespace tarvek::report
