// Every saved input of every fuzz target (tests/fuzz/<target>/), replayed
// through the same target functions the libFuzzer programs run: the seeds,
// and each input that once found a fault.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/fuzz/fuzz_targets.h"
#include "tests/golden.h"
#include "tests/test_tools.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;

class FuzzReplay : public ::testing::TestWithParam<const char*> {};

TEST_P(FuzzReplay, SavedInputsHoldEveryCheck) {
    const fuzz::Target target = fuzz::target_named(GetParam());
    ASSERT_NE(target, nullptr);
    const fs::path folder = fs::path(TARVEK_FUZZ_DIR) / GetParam();
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string input = test::read_file(entry.path().string());
        EXPECT_NO_THROW(target(input)) << entry.path();
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no saved inputs in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         ::testing::Values("instruction", "parameter_string", "display_format",
                                           "picture", "pdf_text", "page", "pix_payload"),
                         [](const ::testing::TestParamInfo<const char*>& param_info) {
                             return std::string(param_info.param);
                         });

// The page target starts from pages as they are stored today: a change of
// the page format must bring new seeds (TARVEK_UPDATE_GOLDEN=1 writes them).
TEST(FuzzSeeds, PageSeedsAreTodaysPages) {
    for (const auto& [name, bytes] : fuzz::page_seeds()) {
        const fs::path path = fs::path(TARVEK_FUZZ_DIR) / "page" / name;
        if (std::getenv("TARVEK_UPDATE_GOLDEN")) {
            std::ofstream(path, std::ios::binary) << bytes;
            continue;
        }
        EXPECT_TRUE(test::read_file(path.string()) == bytes)
            << path << " is not the page it stands for (TARVEK_UPDATE_GOLDEN=1 rewrites it)";
    }
}

}  // namespace
}  // namespace tarvek
