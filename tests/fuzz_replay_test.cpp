// Replays the saved fuzz inputs (tests/fuzz/<target>/*) through the parsers
// that take outside text: the instruction string and display formats. Each
// input must be handled without a crash and keep the invariants below.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/application.h"
#include "base/format.h"
#include "base/string_helpers.h"
#include "tests/golden.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> corpus(const std::string& target) {
    std::vector<std::string> inputs;
    for (const auto& entry : fs::directory_iterator(std::string(TARVEK_FUZZ_DIR) + "/" + target)) {
        inputs.push_back(test::read_file(entry.path().string()));
    }
    EXPECT_FALSE(inputs.empty()) << target;
    return inputs;
}

TEST(FuzzReplay, InstructionStrings) {
    for (const std::string& input : corpus("instruction")) {
        Application app;
        app.frmPrincipal->FormCreate({input});
        const std::string kind = app.frmPrincipal->Coleta_operacao();
        EXPECT_TRUE(kind == "Boleto" || kind == "OS" || kind == "Condicional" || kind == "abcd");
        for (const char* key : {"Tarvek=", "Receber=", "idInstrucao=", "operacao="}) {
            const std::string value = app.dtmEmail->load_dados_parametro(key);
            // A value lies inside one segment, after its first "=".
            EXPECT_EQ(value.find(';'), std::string::npos);
            if (!value.empty()) {
                EXPECT_NE(input.find("=" + value), std::string::npos);
            }
        }
        // Removing a key never lengthens the text, and the replacement ends.
        EXPECT_LE(Troca_Texto(input, "operacao=", "").size(), input.size());
    }
}

TEST(FuzzReplay, DisplayFormats) {
    const FormatSettings pt =
        FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8");
    for (const std::string& pattern : corpus("display_format")) {
        for (const Decimal value :
             {Decimal{0, 2}, Decimal{-150075, 2}, Decimal{123456789012345678, 2}}) {
            const std::string text = format_float(pattern, value, pt);
            EXPECT_LE(text.size(), pattern.size() + 64) << pattern;
        }
        EXPECT_NO_THROW(format_float(pattern, -0.005, pt));
        EXPECT_NO_THROW(format_float(pattern, 1e300, pt));
    }
}

}  // namespace
}  // namespace tarvek
