// Service orders end to end: the "email" operation as the ERP starts it (the
// program as a separate process, the sample databases, the PDF read by
// independent tools), and the previews of the print operations and of the
// mechanic's authorisation, taken in process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <regex>
#include <sstream>

#include "app/application.h"
#include "base/cp1252.h"
#include "base/format.h"
#include "data/firebird/dtm_email.h"
#include "report/report.h"
#include "report/text_metrics.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;

using test::PdfWord;
using test::run_command;

// A 24-bit bitmap file of one colour.
// A 24-bit bitmap whose upper half is `top` and lower half `bottom` (RGB),
// its rows stored bottom row first as usual, or top row first (a negative
// height).
void write_bmp(const std::string& path, int width, int height, std::uint32_t top = 0xC08040,
               std::uint32_t bottom = 0xC08040, bool top_down = false) {
    const int row = (width * 3 + 3) & ~3;
    std::string bytes(54, '\0');
    const auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 54 + row * height, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, static_cast<std::uint32_t>(top_down ? -height : height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, row * height, 4);
    for (int stored = 0; stored < height; ++stored) {
        const int y = top_down ? stored : height - 1 - stored;
        const std::uint32_t rgb = y < height / 2 ? top : bottom;
        for (int x = 0; x < width; ++x) {
            bytes += static_cast<char>(rgb & 0xFF);  // blue, green, red
            bytes += static_cast<char>((rgb >> 8) & 0xFF);
            bytes += static_cast<char>((rgb >> 16) & 0xFF);
        }
        bytes.append(row - width * 3, '\0');
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

// The first and last row of a rendered page (binary PPM) holding a pixel
// that `is_colour` accepts, and how many such pixels there are.
struct ColourRows {
    int first = -1;
    int last = -1;
    int pixels = 0;
};

ColourRows rows_of(const std::string& ppm, const std::function<bool(int, int, int)>& is_colour) {
    std::istringstream in(ppm);
    std::string magic;
    int width = 0, height = 0, depth = 0;
    in >> magic >> width >> height >> depth;
    in.get();
    ColourRows rows;
    const std::size_t start = static_cast<std::size_t>(in.tellg());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = start + (static_cast<std::size_t>(y) * width + x) * 3;
            if (at + 2 >= ppm.size()) return rows;
            const auto c = [&](std::size_t k) { return static_cast<unsigned char>(ppm[at + k]); };
            if (!is_colour(c(0), c(1), c(2))) continue;
            if (rows.first < 0) rows.first = y;
            rows.last = y;
            ++rows.pixels;
        }
    }
    return rows;
}

int half_space(int height_px, unsigned style = 0, const char* name = "Arial") {
    report::Font font;
    font.name = name;
    font.height = -height_px;
    font.style = style;
    return report::TextMetrics::instance().text_width(font, " ") / 2;
}

// A caption of a layout table: its word, where its control sits on the page
// (band and panel offsets added) and the font it prints in.
struct Caption {
    const char* word;
    int left_px;
    int top_px;
    int font_px;
    unsigned style = 0;
};

void expect_captions_at_their_places(const std::vector<PdfWord>& words,
                                     const std::vector<Caption>& captions) {
    for (const Caption& c : captions) {
        const double top = c.top_px * 0.75;
        const PdfWord* found = nullptr;
        for (const PdfWord& w : words) {
            if (w.text == c.word && w.y_min > top - 10 && w.y_min < top + 10) found = &w;
        }
        ASSERT_NE(found, nullptr) << c.word;
        // Left-aligned text starts half a blank inside its control; the
        // glyphs' top lies a little below the control's top.
        EXPECT_NEAR(found->x_min, (c.left_px + half_space(c.font_px, c.style)) * 0.75, 1.0)
            << c.word;
        EXPECT_GT(found->y_min, top) << c.word;
        EXPECT_LT(found->y_min, top + 3.0) << c.word;
    }
}

bool has_word(const std::vector<PdfWord>& words, const std::string& text) {
    for (const PdfWord& w : words) {
        if (w.text == text) return true;
    }
    return false;
}

// The report's client area starts at 39 (margins of 10 mm and its border);
// with the small logo the header panel is at Top 20 and the customer panel
// at Top 105 of the 324-unit title band.
constexpr int kBand = 39;
constexpr int kHeader = kBand + 20;
constexpr int kCustomer = kBand + 105;
constexpr int kFirstItem = kBand + 324;
// Order 1234 fills 24 item rows of 13 units.
constexpr int kSummary = kFirstItem + 24 * 13;

// The sample databases and an empty home folder for the output.
class ServiceOrderFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        home = dir.path() + "/home";
        fs::create_directories(home);
    }
    void sql(const std::string& statement) { test::execute_sql(pair.main, statement); }
    std::vector<std::string> result_rows(const std::string& id) {
        return test::result_rows(pair.main, id);
    }

    test::TempDir dir;
    test::DatabasePair pair;
    std::string home;
};

class ServiceOrderEmail : public ServiceOrderFixture {
  protected:
    test::ProcessResult run(const std::string& id, const std::string& operation = "os_email") {
        return test::run_process(
            TARVEK_DOCS_BINARY, {pair.instruction(id, operation)},
            {"HOME=" + home, "DISPLAY=", "LANG=pt_BR.UTF-8", "LC_ALL=pt_BR.UTF-8"});
    }
    std::string pdf_path(const std::string& number = "01234") const {
        return home + "/driveKVL/tmpEmail/OrdemServico/Ordem_servico_" + number + ".pdf";
    }
    void config(const std::string& key, const std::string& value) {
        sql("update Config_Geral set Campo_Valor = '" + value + "' where Campo_Ref = '" + key +
            "'");
    }
    // The large logo and the order's photo: logo.bmp and foto.bmp of `folder`.
    void large_logo_and_photo(const std::string& folder) {
        config("EDTIMAGEMOS1", folder);
        config("EDTIMAGEMOS2", "logo.bmp");
        config("CHKLOGOGRANDE", "sim");
        sql("update ordem_servico set FOTO = '" + folder + "foto.bmp' where COD_ORD = 1234");
    }
    // An instruction whose parameter string is `parametros`.
    void instruction(const std::string& id, const std::string& parametros) {
        sql("insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('SQL', '" +
            id + "', '" + parametros + "')");
    }
    std::string text_of(const std::string& pdf) {
        return run_command("pdftotext -layout '" + pdf + "' -").output;
    }
    int pages(const std::string& pdf) {
        std::smatch m;
        const std::string info = run_command("pdfinfo '" + pdf + "'").output;
        return std::regex_search(info, m, std::regex("Pages: +(\\d+)")) ? std::stoi(m[1]) : 0;
    }
    // The images of a PDF as "page width height" lines.
    std::vector<std::string> images(const std::string& pdf) {
        const std::string listing = run_command("pdfimages -list '" + pdf + "'").output;
        std::vector<std::string> result;
        static const std::regex line(R"(^ *(\d+) +\d+ +image +(\d+) +(\d+))");
        std::istringstream in(listing);
        for (std::string l; std::getline(in, l);) {
            std::smatch m;
            if (std::regex_search(l, m, line))
                result.push_back(m[1].str() + " " + m[2].str() + " " + m[3].str());
        }
        return result;
    }
};

TEST_F(ServiceOrderEmail, WritesTheOrderAndItsResultRow) {
    const auto r = run("90");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    ASSERT_TRUE(fs::exists(pdf_path())) << r.err;
    EXPECT_EQ(result_rows("90"), std::vector<std::string>{pdf_path()});
    const auto check = run_command("qpdf --check '" + pdf_path() + "' 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(pages(pdf_path()), 1);

    expect_captions_at_their_places(
        test::pdf_words(pdf_path(), 1),
        {
            {"ORDEM", kBand + 280, kBand + 4, 13},
            {"N\xC3\xBAmero:", kBand + 2 + 595, kHeader + 3, 11, report::fsBold},
            {"Auto", kBand + 2 + 188, kHeader + 3, 9},
            {"Cliente:", kBand + 38, kCustomer + 4, 12},
            {"Placa:", kBand + 46, kCustomer + 115, 12},
            {"Chassi:", kBand + 37, kCustomer + 147, 12},
            {"Quem", kBand + 2, kFirstItem + 1, 11},
            {"Condi\xC3\xA7\xC3\xB5"
             "es",
             kBand + 1, kSummary + 5, 11},
            {"Parcela", kBand + 7, kSummary + 72, 11},
        });

    // The item rows in order, with Brazilian amounts, then the summary.
    const std::string text = text_of(pdf_path());
    std::size_t at = 0;
    for (const char* piece : {"Ficha: A12",
                              "Quem recebeu:",
                              "Quem retirou:",
                              "Servi\xC3\xA7os a efetuar",
                              "Laudo conclusivo",
                              "Produtos",
                              "201 - 7891234560018",
                              "189,90",
                              "202 - 7891234560025",
                              "Produtos:",
                              "359,90",
                              "Servi\xC3\xA7os",
                              "120,00",
                              "Servi\xC3\xA7os:",
                              "470,00",
                              "Itens diversos",
                              "1 UN",
                              "Diversos:",
                              "15,00",
                              "Desconto:",
                              "-15,00",
                              "Total da ordem de servi\xC3\xA7o:",
                              "829,90",
                              "Parcela 1/2"}) {
        const std::size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << "'" << piece << "' after position " << at << "\n"
                                            << text;
        at = found + 1;
    }
}

struct KindCase {
    const char* label;
    const char* id;
    const char* title;
    bool amounts;
    std::vector<const char*> words;  // more words the page shows
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.label;
}

class ServiceOrderKinds : public ServiceOrderEmail,
                          public ::testing::WithParamInterface<KindCase> {};

TEST_P(ServiceOrderKinds, ShowTheirTitleAndAmountsOnlyWhereTheyBelong) {
    const KindCase& c = GetParam();
    const auto r = run(c.id);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(result_rows(c.id), std::vector<std::string>{pdf_path()});
    const auto words = test::pdf_words(pdf_path(), 1);
    EXPECT_TRUE(has_word(words, c.title));
    for (const char* word : c.words) EXPECT_TRUE(has_word(words, word)) << word;
    // The total's caption always prints; the amounts only without dispatch.
    const std::string text = text_of(pdf_path());
    EXPECT_NE(text.find("Total da ordem de servi\xC3\xA7o:"), std::string::npos);
    for (const char* amount : {"189,90", "170,00", "359,90", "470,00", "829,90", "-15,00",
                               "Desconto:", "Produtos:", "Cart\xC3\xA3o"}) {
        EXPECT_EQ(has_word(words, amount) || text.find(amount) != std::string::npos, c.amounts)
            << amount;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ServiceOrderKinds,
    ::testing::Values(
        KindCase{"order", "90", "ORDEM", true, {"Parcela", "Declaro", "____/____/________"}},
        KindCase{"order_dispatch", "91", "ORDEM", false, {"Expedi\xC3\xA7\xC3\xA3o:", "Declaro"}},
        KindCase{"quote",
                 "92",
                 "OR\xC3\x87"
                 "AMENTO",
                 true,
                 {"Validade:", "19/03/2024",
                  "Or\xC3\xA7"
                  "amento",
                  "Declaro"}},
        KindCase{"quote_dispatch",
                 "93",
                 "OR\xC3\x87"
                 "AMENTO",
                 false,
                 {"Validade:", "19/03/2024", "Declaro"}}),
    [](const ::testing::TestParamInfo<KindCase>& param_info) {
        return std::string(param_info.param.label);
    });

TEST_F(ServiceOrderEmail, QuoteCaptionsAtTheirPlaces) {
    ASSERT_EQ(run("92").exit_code, 0);
    expect_captions_at_their_places(
        test::pdf_words(pdf_path(), 1),
        {
            {"OR\xC3\x87"
             "AMENTO",
             kBand + 304, kBand + 4, 13},
            {"Validade:", kBand + 2 + 592, kHeader + 51, 11, report::fsBold},
            {"Condi\xC3\xA7\xC3\xB5"
             "es",
             kBand + 1, kSummary + 5, 11},
            {"Or\xC3\xA7"
             "amento",
             kBand + 6, kSummary + 80 + 1, 11},
        });
}

TEST_F(ServiceOrderEmail, DispatchVariantReplacesTheOrderDocument) {
    ASSERT_EQ(run("90").exit_code, 0);
    const auto r = run("91");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(result_rows("91"), std::vector<std::string>{pdf_path()});
    EXPECT_EQ(text_of(pdf_path()).find("829,90"), std::string::npos);
    EXPECT_EQ(test::documents_in(home + "/driveKVL/tmpEmail/OrdemServico"),
              std::vector<std::string>{pdf_path()});
}

TEST_F(ServiceOrderEmail, AuthorisationAlwaysPreviews) {
    // Without a screen there is nothing to preview on: said, and no document.
    const auto r = run("94");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("pr\xC3\xA9-visualiza\xC3\xA7\xC3\xA3o precisa de uma tela"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(home + "/driveKVL"));
    EXPECT_TRUE(result_rows("94").empty());
}

struct BadCase {
    const char* label;
    const char* parametros;
    const char* setup;  // SQL run first, or null
    int exit_code;
    const char* message;  // UTF-8
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.label;
}

class ServiceOrderBadInput : public ServiceOrderEmail,
                             public ::testing::WithParamInterface<BadCase> {};

TEST_P(ServiceOrderBadInput, EndsWithAClearMessageAndNoDocument) {
    const BadCase& c = GetParam();
    if (c.setup) sql(c.setup);
    instruction("ruim", c.parametros);
    const auto r = run("ruim");
    EXPECT_EQ(r.exit_code, c.exit_code) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(home + "/driveKVL/tmpEmail/OrdemServico")) << r.err;
    EXPECT_TRUE(result_rows("ruim").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServiceOrderBadInput,
    ::testing::Values(
        BadCase{"order_not_found", "cod_ord=999^segmento=MECANICA^tipo=ORDEM_SERVICO", nullptr, 1,
                "A ordem de servi\xC3\xA7o 999 n\xC3\xA3o existe."},
        BadCase{"without_cod_ord", "segmento=MECANICA^tipo=ORDEM_SERVICO", nullptr, 1,
                "n\xC3\xA3o informa um n\xC3\xBAmero de ordem de servi\xC3\xA7o v\xC3\xA1lido: "
                "\"MECANICA\""},
        BadCase{"empty_number", "cod_ord=^segmento=MECANICA^tipo=ORCAMENTO", nullptr, 1,
                "n\xC3\xA3o informa o n\xC3\xBAmero da ordem de servi\xC3\xA7o (cod_ord)"},
        BadCase{"order_without_customer", "cod_ord=5010^segmento=MECANICA^tipo=ORDEM_SERVICO",
                "insert into ordem_servico (COD_ORD) values (5010)", 1,
                "A ordem de servi\xC3\xA7o 5010 n\xC3\xA3o tem cliente"},
        BadCase{"other_segment", "cod_ord=1234^segmento=mecanica^tipo=ORDEM_SERVICO", nullptr, 1,
                "Nenhum documento de ordem de servi\xC3\xA7o para o segmento \"mecanica\" e o "
                "tipo \"ORDEM_SERVICO\""},
        BadCase{"unknown_kind", "cod_ord=1234^segmento=MECANICA^tipo=AUTORIZACAO_MECANICO", nullptr,
                1, "e o tipo \"AUTORIZACAO_MECANICO\""}),
    [](const ::testing::TestParamInfo<BadCase>& param_info) {
        return std::string(param_info.param.label);
    });

TEST_F(ServiceOrderEmail, OrderWithNullTextsAndNoItemsPrintsTitleAndSummary) {
    // Customer 999 has no record: its captions print with empty values.
    sql("insert into ordem_servico (COD_ORD, COD_CLI) values (5011, 999)");
    instruction("vazia", "cod_ord=5011^segmento=MECANICA^tipo=ORDEM_SERVICO");
    const auto r = run("vazia");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string pdf = pdf_path("05011");
    EXPECT_EQ(result_rows("vazia"), std::vector<std::string>{pdf});
    EXPECT_EQ(pages(pdf), 1);
    const auto words = test::pdf_words(pdf, 1);
    EXPECT_TRUE(has_word(words, "Cliente:"));
    EXPECT_FALSE(has_word(words, "Produtos"));
    EXPECT_FALSE(has_word(words, "Desconto:"));
    // The summary follows the title band at once.
    expect_captions_at_their_places(words, {{"Condi\xC3\xA7\xC3\xB5"
                                             "es",
                                             kBand + 1, kFirstItem + 5, 11}});
}

TEST_F(ServiceOrderEmail, LongItemListContinuesOnFurtherPagesWithItemRowsOnly) {
    sql("insert into ordem_servico (COD_ORD, COD_CLI, TOT_ORD) values (5012, 1, 5000)");
    sql("execute block as declare i integer = 1; begin while (i <= 500) do begin "
        "insert into SERVICO_ORDEM (cod_ord, nro_item, tip_ser, des_ser, qtd_ser, Uni_ser, "
        "vlr_uni, sub_tot) values (5012, :i, 1, 'Item ' || :i, 1, 'SV', 10, 10); i = i + 1; "
        "end end");
    instruction("longa", "cod_ord=5012^segmento=MECANICA^tipo=ORDEM_SERVICO");
    const auto r = run("longa");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string pdf = pdf_path("05012");
    EXPECT_EQ(run_command("qpdf --check '" + pdf + "' 2>&1").status, 0);
    const int count = pages(pdf);
    ASSERT_GT(count, 5);

    int items = 0;
    for (int page = 1; page <= count; ++page) {
        const auto words = test::pdf_words(pdf, page);
        ASSERT_FALSE(words.empty()) << page;
        // The title band on the first page only, the summary on the last.
        EXPECT_EQ(has_word(words, "ORDEM"), page == 1) << page;
        EXPECT_EQ(has_word(words, "Cliente:"), page == 1) << page;
        EXPECT_EQ(has_word(words,
                           "Condi\xC3\xA7\xC3\xB5"
                           "es"),
                  page == count)
            << page;
        double top = 1e9;
        for (const PdfWord& w : words) {
            if (w.text == "Item") ++items;
            top = std::min(top, w.y_min);
        }
        // Later pages start with an item row at the top of the page.
        if (page > 1) {
            EXPECT_LT(top, (kBand + 1) * 0.75 + 3.0) << page;
        }
    }
    EXPECT_EQ(items, 500);
    const std::string last = text_of(pdf);
    EXPECT_NE(last.find("5.000,00"), std::string::npos);
    EXPECT_LT(last.find("Item 500"), last.find("Servi\xC3\xA7os:"));
    EXPECT_LT(last.find("Servi\xC3\xA7os:"), last.find("Total da ordem"));
}

TEST_F(ServiceOrderEmail, LargeLogoAndOrderPhoto) {
    const std::string pictures = dir.path() + "/imagens/";
    fs::create_directories(pictures);
    write_bmp(pictures + "logo.bmp", 60, 20);
    write_bmp(pictures + "foto.bmp", 30, 20);
    large_logo_and_photo(pictures);

    const auto r = run("90");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(images(pdf_path()), (std::vector<std::string>{"1 60 20", "1 30 20"}));
    // The title band keeps its height: the panels stay where they were
    // designed, and the company lines start at Left 50.
    expect_captions_at_their_places(test::pdf_words(pdf_path(), 1),
                                    {
                                        {"Auto", kBand + 2 + 50, kBand + 100 + 3, 9},
                                        {"Centro", kBand + 2 + 50, kBand + 100 + 35, 9},
                                        {"Cliente:", kBand + 38, kBand + 185 + 4, 12},
                                        {"Quem", kBand + 2, kBand + 404 + 1, 11},
                                    });
}

// Bitmaps stored top row first, as many programs write them: the logo red
// over blue, the photo green over yellow, on the page as in the files.
TEST_F(ServiceOrderEmail, TopDownBitmapsPrintTheRightWayUp) {
    const std::string pictures = dir.path() + "/imagens/";
    fs::create_directories(pictures);
    write_bmp(pictures + "logo.bmp", 60, 20, 0xFF0000, 0x0000FF, true);
    write_bmp(pictures + "foto.bmp", 30, 20, 0x00A000, 0xFFC800, true);
    large_logo_and_photo(pictures);
    const auto run_result = run("90");
    ASSERT_EQ(run_result.exit_code, 0) << run_result.err;

    // At 96 dpi a page pixel is a layout pixel.
    const auto rendered = run_command("pdftoppm -r 96 -f 1 -l 1 '" + pdf_path() + "'");
    ASSERT_EQ(rendered.status, 0);
    const std::string& page = rendered.output;
    const auto red = rows_of(page, [](int r, int g, int b) { return r > 200 && g < 80 && b < 80; });
    const auto blue =
        rows_of(page, [](int r, int g, int b) { return b > 200 && r < 80 && g < 80; });
    const auto green =
        rows_of(page, [](int r, int g, int b) { return g > 120 && r < 80 && b < 80; });
    const auto yellow =
        rows_of(page, [](int r, int g, int b) { return r > 200 && g > 160 && b < 80; });
    for (const ColourRows& colour : {red, blue, green, yellow}) ASSERT_GT(colour.pixels, 100);
    EXPECT_LT(red.last, blue.first);
    EXPECT_LT(green.last, yellow.first);
}

// Picture files no picture within the budget could fill, and one whose side
// no PDF picture may have: refused before they are read (sparse files of 1
// and 3 GB) or from their header, with a message naming the file.
TEST_F(ServiceOrderEmail, OversizedPictureFilesAreRefusedBeforeTheyAreRead) {
    const auto sparse = [this](const std::string& name, const std::string& header,
                               std::uintmax_t size) {
        std::string path = dir.path() + "/" + name;
        std::ofstream(path, std::ios::binary) << header;
        fs::resize_file(path, size);
        return path;
    };
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {sparse("enorme.bmp", "BM", std::uintmax_t{1} << 30),
         "the file has 1073741824 bytes, more than the 336777216 a picture file may have"},
        {sparse("enorme.png", std::string("\x89PNG\r\n\x1A\n", 8), std::uintmax_t{3} << 30),
         "the file has 3221225472 bytes, more than the 336777216"},
        {std::string(TARVEK_FUZZ_DIR) + "/picture/tall-bmp-3x10158141",
         "it declares 3 x 10158141 pixels; a side of a picture may have at most 65500"},
    };
    for (const auto& c : cases) {
        sql("update ordem_servico set FOTO = '" + c.path + "' where COD_ORD = 1234");
        const auto r = run("90");
        EXPECT_EQ(r.exit_code, 1) << c.path;
        EXPECT_NE(r.err.find("Cannot read picture " + c.path + ": " + c.reason), std::string::npos)
            << r.err;
        // A run of this order takes some 40 MB; reading the file would take its size.
        EXPECT_LT(r.peak_rss_kb, 400 * 1024) << c.path;
        EXPECT_FALSE(fs::exists(pdf_path())) << c.path;
        EXPECT_TRUE(result_rows("90").empty()) << c.path;
    }
}

TEST_F(ServiceOrderEmail, SmallLogoGoesIntoTheHeaderAndMissingPicturesStayEmpty) {
    const std::string pictures = dir.path() + "/";
    write_bmp(pictures + "logo.bmp", 40, 40);
    config("EDTIMAGEMOS1", pictures);
    config("EDTIMAGEMOS2", "logo.bmp");
    sql("update ordem_servico set FOTO = '" + pictures + "nao-existe.bmp' where COD_ORD = 1234");
    const auto r = run("90");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(images(pdf_path()), std::vector<std::string>{"1 40 40"});
}

TEST_F(ServiceOrderEmail, UnreadablePhotoFailsWithoutDocumentOrRow) {
    const std::string photo = dir.path() + "/foto.jpg";
    std::ofstream(photo) << "not a picture";
    sql("update ordem_servico set FOTO = '" + photo + "' where COD_ORD = 1234");
    const auto r = run("90");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("Cannot read picture " + photo), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(pdf_path()));
    EXPECT_TRUE(result_rows("90").empty());
}

// ---------------------------------------------------------------------------
// Previews, in process: the print operations and the authorisation.

class ServiceOrderPreview : public ServiceOrderFixture {
  protected:
    void SetUp() override {
        ServiceOrderFixture::SetUp();
        runs.emplace(home, previews, messages);
    }
    void TearDown() override { runs.reset(); }
    // Runs an instruction the way the main window does.
    void run(const std::string& id, const std::string& operation) {
        Application app;
        app.frmPrincipal->FormCreate({pair.instruction(id, operation)});
        app.frmPrincipal->chamar_opcao_selecionada();
        EXPECT_TRUE(app.frmPrincipal->timerClose.enabled);
    }
    // The texts of a preview page that start with `prefix`.
    std::vector<const report::GraphicObject*> texts(int page, const std::string& prefix) {
        std::vector<const report::GraphicObject*> found;
        for (const report::GraphicObject& o : previews.back()->page(page)->objects()) {
            if (o.kind == report::ObjectKind::Text && o.text.rfind(prefix, 0) == 0)
                found.push_back(&o);
        }
        return found;
    }
    // How many texts of a preview page are exactly `text`.
    std::size_t count(int page, const std::string& text) {
        std::size_t n = 0;
        for (const report::GraphicObject& o : previews.back()->page(page)->objects()) {
            if (o.kind == report::ObjectKind::Text && o.text == text) ++n;
        }
        return n;
    }
    std::vector<std::shared_ptr<report::GraphicStorage>> previews;
    std::vector<std::string> messages;
    std::optional<test::InProcessRuns> runs;  // after the lists it fills
};

TEST_F(ServiceOrderPreview, PrintOperationsAndTheAuthorisationOpenThePreview) {
    const struct {
        const char* id;
        const char* operation;
        const char* title;  // UTF-8
    } cases[] = {
        {"90", "os_print", "ORDEM DE SERVIÇO"},
        {"93", "OS_PRINT", "ORÇAMENTO"},
        {"94", "os_print", "Autorização para mecânico"},
        {"94", "os_email", "Autorização para mecânico"},
    };
    for (const auto& c : cases) {
        previews.clear();
        run(c.id, c.operation);
        ASSERT_EQ(previews.size(), 1u) << c.id << " " << c.operation;
        EXPECT_EQ(previews.back()->page_count(), 1) << c.id;
        EXPECT_EQ(texts(0, utf8_to_cp1252(c.title)).size(), 1u) << c.id;
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_FALSE(fs::exists(home + "/driveKVL"));
    for (const auto& c : cases) EXPECT_TRUE(result_rows(c.id).empty()) << c.id;
}

TEST_F(ServiceOrderPreview, AuthorisationShowsTheRequestedServicesAndFillsChassisAndYear) {
    run("94", "os_print");
    ASSERT_EQ(previews.size(), 1u);
    // The requested services in full below the signature lines.
    const auto services = texts(0, utf8_to_cp1252("Verificar ruído"));
    ASSERT_EQ(services.size(), 1u);
    EXPECT_GT(services[0]->bounds.top, kBand + 484);
    EXPECT_EQ(texts(0, utf8_to_cp1252("Assinatuta Técnico")).size(), 1u);
    EXPECT_EQ(texts(0, "9BWZZZ377VT004251").size(), 1u);
    EXPECT_EQ(texts(0, "2019/2020").size(), 1u);
    EXPECT_EQ(texts(0, "Status: Pronto  Ficha: A12").size(), 1u);
    EXPECT_TRUE(texts(0, "Chassi:").size() == 1u) << "the chassis caption printed twice";

    // Captions at their table places (the small logo moved the panels up).
    const struct {
        const char* text;  // UTF-8
        int left, top, font_px;
        unsigned style;
    } captions[] = {
        {"Autorização para mecânico", kBand + 280, kBand + 4, 13, 0},
        {"Cliente:", kBand + 38, kCustomer + 4, 12, 0},
        {"Serviços a serem efetuados:", kBand + 28, kBand + 462, 13, report::fsBold},
    };
    for (const auto& c : captions) {
        const auto found = texts(0, utf8_to_cp1252(c.text));
        ASSERT_EQ(found.size(), 1u) << c.text;
        EXPECT_EQ(found[0]->origin.x, c.left + half_space(c.font_px, c.style)) << c.text;
        EXPECT_EQ(found[0]->origin.y, c.top) << c.text;
    }
}

struct SummaryCase {
    const char* label;
    const char* desc_acre;
    const char* descricao_acres;  // EDTDESCICAOACRES
    const char* acess_ord;        // SQL expression
    std::vector<const char*> shown;
    std::vector<const char*> absent;
};

void PrintTo(const SummaryCase& c, std::ostream* os) {
    *os << c.label;
}

class ServiceOrderSummary : public ServiceOrderPreview,
                            public ::testing::WithParamInterface<SummaryCase> {};

TEST_P(ServiceOrderSummary, DiscountAndVehicleLinesFollowTheOrder) {
    const SummaryCase& c = GetParam();
    sql(std::string("update ordem_servico set DESC_ACRE = ") + c.desc_acre +
        ", ACESS_ORD = " + c.acess_ord + " where COD_ORD = 1234");
    sql(std::string("update Config_Geral set Campo_Valor = '") + c.descricao_acres +
        "' where Campo_Ref = 'EDTDESCICAOACRES'");
    run("90", "os_print");
    ASSERT_EQ(previews.size(), 1u);
    for (const char* text : c.shown) EXPECT_EQ(count(0, utf8_to_cp1252(text)), 1u) << text;
    for (const char* text : c.absent) EXPECT_EQ(count(0, utf8_to_cp1252(text)), 0u) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServiceOrderSummary,
    ::testing::Values(
        SummaryCase{"discount",
                    "-5",
                    "Acréscimo:",
                    "'A' || ASCII_CHAR(10) || 'B'",
                    {"Desconto:", "-5,00", "A", "B"},
                    {"Acréscimo:", "90 dias ou 5.000 km", "2019/2020"}},
        SummaryCase{"none", "0", "Acréscimo:", "NULL", {}, {"Desconto:", "Acréscimo:", "0,00"}},
        SummaryCase{"addition_with_default_caption",
                    "5",
                    "   ",
                    "NULL",
                    {"Acréscimo/Desconto: ", "5,00"},
                    {"Desconto:"}},
        SummaryCase{"addition_with_configured_caption",
                    "1234.5",
                    "Taxa de entrega:",
                    "NULL",
                    {"Taxa de entrega:", "1.234,50"},
                    {"Desconto:"}}),
    [](const ::testing::TestParamInfo<SummaryCase>& param_info) {
        return std::string(param_info.param.label);
    });

TEST_F(ServiceOrderPreview, AuthorisationBandGrowsWithALongRequestedServicesText) {
    std::string long_text = "'linha 1'";
    for (int i = 2; i <= 38; ++i)
        long_text += " || ASCII_CHAR(10) || 'linha " + std::to_string(i) + "'";
    sql("update ordem_servico set DES_SER = " + long_text + " where COD_ORD = 1234");
    run("94", "os_print");
    ASSERT_EQ(previews.size(), 1u);
    const auto lines = texts(0, "linha ");
    ASSERT_EQ(lines.size(), 38u);
    // The memo's design height ends at 39 + 484 + 520: the last lines print
    // below it, inside the band that grew with them.
    EXPECT_GT(lines.back()->bounds.top, kBand + 484 + 520);
    EXPECT_EQ(lines.back()->text, "linha 38");
}

}  // namespace
}  // namespace tarvek
