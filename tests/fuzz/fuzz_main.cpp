// A libFuzzer program for one target, chosen at build time (TARVEK_FUZZ_TARGET).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const tarvek::fuzz::Target target = tarvek::fuzz::target_named(TARVEK_FUZZ_TARGET);
    try {
        target(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const tarvek::fuzz::FuzzFailure& failure) {
        std::fprintf(stderr, "fuzz target %s: %s\n", TARVEK_FUZZ_TARGET, failure.what());
        std::abort();
    }
    return 0;
}
