// Golden files: expected outputs kept in tests/fixtures, compared byte for
// byte. TARVEK_UPDATE_GOLDEN=1 rewrites them after a deliberate change.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace tarvek::test {

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void expect_golden(const std::string& name, const std::string& bytes) {
    const std::string path = std::string(TARVEK_FIXTURES_DIR) + "/" + name;
    if (std::getenv("TARVEK_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << bytes;
        return;
    }
    EXPECT_EQ(bytes, read_file(path))
        << "golden " << path << " differs (TARVEK_UPDATE_GOLDEN=1 rewrites it)";
}

}  // namespace tarvek::test
