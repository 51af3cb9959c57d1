#include "report/text_metrics.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <span>
#include <string>

#include "base/cp1252.h"
#include "base/errors.h"
#include "tests/test_tools.h"

namespace tarvek::report {
namespace {

namespace fs = std::filesystem;

Font font(const std::string& name, int pixels, unsigned style = 0) {
    Font f;
    f.name = name;
    f.height = -pixels;
    f.style = style;
    return f;
}

Font arial(int pixels, unsigned style = 0) {
    return font("Arial", pixels, style);
}

TextMetrics& tm() {
    return TextMetrics::instance();
}

using test::TempDir;

// An auto-sized, borderless label of a layout with its designed size: the
// width of its caption followed by a blank, and the line height.
struct DesignedCaption {
    const char* name;
    const char* caption;  // UTF-8
    int pixels;           // Arial em height
    unsigned style;
    int width;
    int height;
};

// Every such label of the Bradesco boleto.
constexpr DesignedCaption kBradescoCaptions[] = {
    {"RLLabel2", "INFORMATIVO", 13, 0, 92, 16},
    {"RLLabel15", "Recibo do pagador", 13, 0, 112, 16},
    {"RLLabel25", "Local de pagamento", 9, 0, 87, 12},
    {"RLLabel16", "Vencimento", 9, 0, 52, 12},
    {"RLLabel26", "Beneficiário", 9, 0, 52, 12},
    {"RLLabel30", "CNPJ:", 9, 0, 31, 12},
    {"RLLabel17", "Agência / Codigo Beneficiario", 9, 0, 126, 12},
    {"RLLabel31", "Data do documento", 9, 0, 85, 12},
    {"RLLabel32", "Número do documento", 9, 0, 98, 12},
    {"RLLabel33", "Espécie Doc.", 9, 0, 59, 12},
    {"RLLabel34", "Aceite", 9, 0, 29, 12},
    {"RLLabel35", "Data de processamento", 9, 0, 103, 12},
    {"RLLabel18", "Nosso número", 9, 0, 64, 12},
    {"RLLabel40", "DM", 9, 0, 17, 12},
    {"RLLabel3", "Carteira", 9, 0, 36, 12},
    {"RLLabel36", "Especie", 9, 0, 36, 12},
    {"RLLabel37", "Quantidade", 9, 0, 50, 12},
    {"RLLabel38", "Valor R$", 9, 0, 39, 12},
    {"RLLabel19", "Valor do documento", 9, 0, 86, 12},
    {"RLLabel39", "R$", 9, 0, 15, 12},
    {"RLLabel41",
     "Instruções       ( Todas as informações deste bloqueto são de exclusiva responsabilidade do "
     "cendente )",
     9, 0, 437, 12},
    {"RLLabel20", "Desconto / Abatimento", 9, 0, 99, 12},
    {"RLLabel21", "Outras deduções", 9, 0, 74, 12},
    {"RLLabel22", "Mora / Multa", 9, 0, 54, 12},
    {"RLLabel23", "Outros acréscimos", 9, 0, 82, 12},
    {"RLLabel24", "Valor cobrado", 9, 0, 60, 12},
    {"RLLabel1", "Pagador", 9, 0, 37, 12},
    {"RLLabel28", "CNPJ / CPF:", 9, 0, 59, 12},
    {"RLLabel42", "Bairro:", 9, 0, 30, 12},
    {"RLLabel44", "UF:", 9, 0, 19, 12},
    {"RLLabel43", "CEP:", 9, 0, 25, 12},
    {"RLLabel14", "Pagador / Avalista", 9, 0, 80, 12},
    {"RLLabel27", "Código de Baixa", 9, 0, 71, 12},
    {"RLLabel29", "------------------ Autenticação Mecanica ------------------", 9, 0, 213, 12},
    {"RLLabel46", "Local de pagamento", 9, 0, 87, 12},
    {"RLLabel49", "Vencimento", 9, 0, 52, 12},
    {"RLLabel47", "Beneficiário", 9, 0, 52, 12},
    {"RLLabel57", "CNPJ:", 9, 0, 31, 12},
    {"RLLabel48", "Agência / Codigo Beneficiario", 9, 0, 126, 12},
    {"RLLabel58", "Data do documento", 9, 0, 85, 12},
    {"RLLabel59", "Número do documento", 9, 0, 98, 12},
    {"RLLabel60", "Espécie Doc.", 9, 0, 59, 12},
    {"RLLabel61", "Aceite", 9, 0, 29, 12},
    {"RLLabel62", "Data de processamento", 9, 0, 103, 12},
    {"RLLabel52", "Nosso número", 9, 0, 64, 12},
    {"RLLabel67", "DM", 9, 0, 17, 12},
    {"RLLabel64", "Quantidade", 9, 0, 50, 12},
    {"RLLabel65", "Valor R$", 9, 0, 39, 12},
    {"RLLabel51", "Valor do documento", 9, 0, 86, 12},
    {"RLLabel7",
     "Instruções       ( Todas as informações deste bloqueto são de exclusiva responsabilidade do "
     "cendente )",
     9, 0, 437, 12},
    {"RLLabel53", "Desconto / Abatimento", 9, 0, 99, 12},
    {"RLLabel54", "Outras deduções", 9, 0, 74, 12},
    {"RLLabel50", "Mora / Multa", 9, 0, 54, 12},
    {"RLLabel55", "Outros acréscimos", 9, 0, 82, 12},
    {"RLLabel56", "Valor cobrado", 9, 0, 60, 12},
    {"RLLabel4", "Carteira", 9, 0, 36, 12},
    {"RLLabel6", "Especie", 9, 0, 36, 12},
    {"RLLabel5", "R$", 9, 0, 15, 12},
    {"RLLabel69", "Pagador", 9, 0, 37, 12},
    {"RLLabel72", "CNPJ / CPF:", 9, 0, 59, 12},
    {"RLLabel73", "Bairro:", 9, 0, 30, 12},
    {"RLLabel75", "UF:", 9, 0, 19, 12},
    {"RLLabel74", "CEP:", 9, 0, 25, 12},
    {"RLLabel70", "Pagador / Avalista", 9, 0, 80, 12},
    {"RLLabel71", "Código de Baixa", 9, 0, 71, 12},
    {"RLLabel76", "------------------ Autenticação Mecanica ------------------", 9, 0, 213, 12},
    {"RLLabel45", "Ficha de compensação", 17, 0, 176, 19},
};

// The distinct such labels of the other boletos, service orders and
// conditional documents.
constexpr DesignedCaption kOtherCaptions[] = {
    {"Itau/Banrisul RLLabel12", "BDL   CCB", 9, 0, 50, 12},
    {"Itau/Banrisul RLLabel8", "BANCO DO ESTADO", 8, 0, 78, 10},
    {"Itau/Banrisul RLLabel9", "DO RIO GRANDE DO SUL", 8, 0, 97, 10},
    {"Sicoob RLLabel41", "Instruções", 9, 0, 47, 12},
    {"Sicoob RLLabel7", "Uso do banco", 9, 0, 61, 12},
    {"Sicredi RLLabel3", "Comprovante de entrega", 13, 0, 144, 16},
    {"Sicredi RLLabel4", "Beneficiário", 9, 0, 52, 12},
    {"Sicredi RLLabel6", "Vencimento", 9, 0, 52, 12},
    {"Sicredi RLLabel7", "Agência / Codigo Beneficiario", 9, 0, 126, 12},
    {"Sicredi RLLabel13", "Pagador", 9, 0, 37, 12},
    {"Sicredi RLLabel5", "Data do documento", 9, 0, 85, 12},
    {"Sicredi RLLabel10", "Número do documento", 9, 0, 98, 12},
    {"Sicredi RLLabel11", "Assinatura", 9, 0, 47, 12},
    {"Sicredi RLLabel12", "Data de recebimento", 9, 0, 90, 12},
    {"Sicredi RLLabel8", "Nosso número", 9, 0, 64, 12},
    {"Sicredi RLLabel9", "Valor do documento", 9, 0, 86, 12},
    {"Sicredi RLLabel2", "INFORMATIVO", 13, 0, 92, 16},
    {"Sicredi RLLabel15", "Recibo do pagador", 13, 0, 112, 16},
    {"Sicredi RLLabel25", "Local de pagamento", 9, 0, 87, 12},
    {"Sicredi RLLabel30", "CNPJ:", 9, 0, 31, 12},
    {"Sicredi RLLabel33", "Espécie Doc.", 9, 0, 59, 12},
    {"Sicredi RLLabel34", "Aceite", 9, 0, 29, 12},
    {"Sicredi RLLabel35", "Data de processamento", 9, 0, 103, 12},
    {"Sicredi RLLabel40", "DI", 9, 0, 13, 12},
    {"Sicredi RLLabel36", "Especie", 9, 0, 36, 12},
    {"Sicredi RLLabel37", "Quantidade", 9, 0, 50, 12},
    {"Sicredi RLLabel38", "Valor R$", 9, 0, 39, 12},
    {"Sicredi RLLabel39", "REAL", 9, 0, 27, 12},
    {"Sicredi RLLabel20", "Desconto / Abatimento", 9, 0, 99, 12},
    {"Sicredi RLLabel21", "Outras deduções", 9, 0, 74, 12},
    {"Sicredi RLLabel22", "Mora / Multa", 9, 0, 54, 12},
    {"Sicredi RLLabel23", "Outros acréscimos", 9, 0, 82, 12},
    {"Sicredi RLLabel24", "Valor cobrado", 9, 0, 60, 12},
    {"Sicredi RLLabel28", "CNPJ / CPF:", 9, 0, 59, 12},
    {"Sicredi RLLabel42", "Bairro:", 9, 0, 30, 12},
    {"Sicredi RLLabel44", "UF:", 9, 0, 19, 12},
    {"Sicredi RLLabel43", "CEP:", 9, 0, 25, 12},
    {"Sicredi RLLabel14", "Pagador / Avalista", 9, 0, 80, 12},
    {"Sicredi RLLabel27", "Código de Baixa", 9, 0, 71, 12},
    {"Sicredi RLLabel29", "------------------ Autenticação Mecanica ------------------", 9, 0, 213,
     12},
    {"Sicredi RLLabel45", "Ficha de compensação", 17, 0, 176, 19},
    {"Booklet RLLabel6", "Parcela / Plano", 9, 0, 66, 12},
    {"Booklet RLLabel2", "Agência / Codigo Beneficiario", 8, 0, 103, 10},
    {"Booklet RLLabel47", "Beneficiário", 8, 0, 42, 10},
    {"Booklet RLLabel57", "CNPJ:", 8, 0, 25, 10},
    {"Booklet RLLabel58", "Data do documento", 8, 0, 66, 10},
    {"Booklet RLLabel59", "Número do documento", 8, 0, 77, 10},
    {"Booklet RLLabel60", "Espécie Doc.", 8, 0, 47, 10},
    {"Booklet RLLabel61", "Aceite", 8, 0, 23, 10},
    {"Booklet RLLabel62", "Data de processamento", 8, 0, 81, 10},
    {"Booklet RLLabel52", "Nosso número", 8, 0, 51, 10},
    {"Booklet RLLabel3", "Especie", 8, 0, 29, 10},
    {"Booklet RLLabel5", "Quantidade Moeda", 8, 0, 65, 10},
    {"Booklet RLLabel67", "DI", 8, 0, 10, 10},
    {"Booklet RLLabel4", "REAL", 8, 0, 22, 10},
    {"Booklet RLLabel64", "Quantidade", 8, 0, 40, 10},
    {"Booklet RLLabel65", "Valor R$", 8, 0, 32, 10},
    {"Booklet RLLabel8", "1 (=) Valor do documento", 8, 0, 87, 10},
    {"Booklet RLLabel51", "Valor do documento", 8, 0, 68, 10},
    {"Booklet RLLabel68", "Instruções", 8, 0, 37, 10},
    {"Booklet RLLabel10", "2 (-) Desconto / Abatimento", 8, 0, 94, 10},
    {"Booklet RLLabel53", "Desconto / Abatimento", 8, 0, 77, 10},
    {"Booklet RLLabel11", "3 (-) Outras deduções", 8, 0, 76, 10},
    {"Booklet RLLabel54", "Outras deduções", 8, 0, 59, 10},
    {"Booklet RLLabel9", "4 (+) Mora / Multa", 8, 0, 64, 10},
    {"Booklet RLLabel50", "Mora / Multa", 8, 0, 45, 10},
    {"Booklet RLLabel12", "5 (+) Outros acréscimos", 8, 0, 85, 10},
    {"Booklet RLLabel55", "Outros acréscimos", 8, 0, 66, 10},
    {"Booklet RLLabel13", "6 (=) Valor cobrado", 8, 0, 68, 10},
    {"Booklet RLLabel56", "Valor cobrado", 8, 0, 49, 10},
    {"Booklet RLLabel69", "Pagador", 8, 0, 31, 10},
    {"Booklet RLLabel72", "CNPJ / CPF:", 8, 0, 47, 10},
    {"Booklet RLLabel73", "Bairro:", 8, 0, 25, 10},
    {"Booklet RLLabel75", "UF:", 8, 0, 15, 10},
    {"Booklet RLLabel74", "CEP:", 8, 0, 20, 10},
    {"Booklet RLLabel70", "Pagador / Avalista", 8, 0, 63, 10},
    {"Booklet RLLabel71", "Código de Baixa", 8, 0, 57, 10},
    {"Booklet RLLabel76", "Autenticação Mecanica ", 8, 0, 82, 10},
    {"Booklet RLLabel45", "Ficha de compensação", 8, 0, 79, 10},
    {"Booklet RLLabel17", "Recibo do Pagador", 8, 0, 67, 10},
    {"Service order RLLabel2", "ORDEM DE SERVIÇO", 13, 0, 136, 16},
    {"Service order edtnomeEmp", "Nome da empresa", 9, 0, 80, 12},
    {"Service order RLLabel15", "Número:", 11, fsBold, 50, 14},
    {"Service order edtEndemp", "Endereco:", 9, 0, 45, 12},
    {"Service order RLLabel63", "Data:", 11, fsBold, 29, 14},
    {"Service order edtcidUfemp", "Cidade/Uf:", 9, 0, 49, 12},
    {"Service order RLLabel66", "Hora:", 11, fsBold, 31, 14},
    {"Service order edtIeemp", "IE:", 9, 0, 15, 12},
    {"Service order edtf1Emp", "Fone1:", 9, 0, 32, 12},
    {"Service order edtemailemp", "Email", 9, 0, 26, 12},
    {"Service order edtfaxemp", "Fax:", 9, 0, 22, 12},
    {"Service order RLLabel1", "Cliente:", 12, 0, 45, 15},
    {"Service order RLLabel3", "Endereço:", 12, 0, 59, 15},
    {"Service order RLLabel4", "Bairro:", 12, 0, 39, 15},
    {"Service order RLLabel19", "Cidade:", 12, 0, 46, 15},
    {"Service order RLLabel14", "Cep:", 12, 0, 29, 15},
    {"Service order RLLabel5", "Cpf / Cnpj:", 12, 0, 60, 15},
    {"Service order RLLabel20", "IE / RG:", 12, 0, 44, 15},
    {"Service order RLLabel16", "UF:", 12, 0, 22, 15},
    {"Service order RLLabel6", "Telefone:", 12, 0, 54, 15},
    {"Service order RLLabel21", "Fax:", 12, 0, 25, 15},
    {"Service order RLLabel17", "Celular:", 12, 0, 46, 15},
    {"Service order RLLabel7", "email:", 12, 0, 37, 15},
    {"Service order RLLabel18", "Contato:", 12, 0, 49, 15},
    {"Service order lblAno", "Ano:", 12, 0, 27, 15},
    {"Service order RLLabel22", "Placa:", 12, 0, 37, 15},
    {"Service order RLLabel27", "Veículo:", 12, 0, 46, 15},
    {"Service order RLLabel23", "Cor:", 12, 0, 26, 15},
    {"Service order RLLabel28", "Combustível:", 12, 0, 75, 15},
    {"Service order RLLabel31", "Km entrada:", 12, 0, 70, 15},
    {"Service order lblChassi", "Chassi:", 12, 0, 46, 15},
    {"Service order RLLabel29", "Motor:", 12, 0, 36, 15},
    {"Service order RLLabel32", "Km saida:", 12, 0, 59, 15},
    {"Service order RLLabel25", "Modelo:", 12, 0, 46, 15},
    {"Service order RLLabel33", "Frota:", 12, 0, 34, 15},
    {"Service order RLLabel26", "Observações:", 12, 0, 79, 15},
    {"Service order RLLabel35", "Condições de pagamento:", 11, 0, 128, 14},
    {"Service order RLLabel36", "forma de pagamento:", 11, 0, 105, 14},
    {"Service order RLLabel38", "Garantia:", 11, 0, 47, 14},
    {"Service order RLLabel41", "Total da ordem de serviço:", 13, fsBold, 174, 16},
    {"Service order RLLabel39", "Data de saida:", 11, 0, 72, 14},
    {"Service order RLLabel40", "Observações:", 11, 0, 72, 14},
    {"Service order lblCidadeUf", "cidade / uf", 11, 0, 54, 14},
    {"Service order RLLabel43", "____/____/________", 11, 0, 105, 14},
    {"Service order RLLabel8", "Serviços a serem efetuados:", 13, fsBold, 183, 16},
    {"Conditional edtTitulloCondicional", "Titulo do condicional", 13, 0, 122, 16},
    {"Conditional edtnomeEmp", "Nome da empresa", 13, fsBold, 120, 16},
    {"Conditional lblBairro", "Bairro", 12, 0, 36, 15},
    {"Conditional lblFone", "Fone:", 12, 0, 34, 15},
    {"Conditional lblVendedor", "Vendedor", 12, 0, 56, 15},
    {"Conditional lblTransp", "Transp", 11, 0, 37, 14},
    {"Conditional lbltotal", "Total:", 13, fsBold, 40, 16},
};

struct Agreement {
    int total = 0;
    int width_exact = 0, height_exact = 0, both_exact = 0;
    int width_near = 0, height_near = 0;  // within one pixel
};

Agreement measure(std::span<const DesignedCaption> captions, const char* title) {
    Agreement a;
    for (const DesignedCaption& c : captions) {
        const Font f = arial(c.pixels, c.style);
        const int width = tm().text_width(f, utf8_to_cp1252(c.caption) + " ");
        const int height = tm().line_height(f);
        ++a.total;
        a.width_exact += width == c.width;
        a.height_exact += height == c.height;
        a.both_exact += width == c.width && height == c.height;
        a.width_near += std::abs(width - c.width) <= 1;
        a.height_near += std::abs(height - c.height) <= 1;
        if (width != c.width || height != c.height) {
            std::cout << "  " << c.name << " \"" << c.caption << "\" " << c.pixels << " px"
                      << (c.style & fsBold ? " bold" : "") << ": " << width << " x " << height
                      << ", designed " << c.width << " x " << c.height << "\n";
        }
    }
    std::cout << title << ": " << a.total << " captions, exact width " << a.width_exact
              << ", exact height " << a.height_exact << ", both exact " << a.both_exact
              << ", width within 1 px " << a.width_near << ", height within 1 px " << a.height_near
              << "\n";
    return a;
}

// The floors below are the agreement measured with Liberation Sans; a drop
// means layouts no longer come out as designed.
TEST(TextMetricsDesign, BradescoCaptionsKeepTheirDesignedSize) {
    const Agreement a = measure(kBradescoCaptions, "Bradesco");
    RecordProperty("captions", a.total);
    RecordProperty("exact_width", a.width_exact);
    RecordProperty("exact_height", a.height_exact);
    RecordProperty("both_exact", a.both_exact);
    EXPECT_EQ(a.total, 67);
    EXPECT_GE(a.width_exact, 67);
    EXPECT_GE(a.height_exact, 67);
    EXPECT_GE(a.both_exact, 67);
    EXPECT_GE(a.width_near, 67);
    EXPECT_GE(a.height_near, 67);
}

// Their 8-px labels are designed 10 pixels tall: at that size the font is
// not grid-fitted, and hinted accents would make the lines 11 tall.
TEST(TextMetricsDesign, OtherLayoutCaptionsKeepTheirDesignedSize) {
    const Agreement a = measure(kOtherCaptions, "Other layouts");
    RecordProperty("captions", a.total);
    RecordProperty("exact_width", a.width_exact);
    RecordProperty("exact_height", a.height_exact);
    EXPECT_EQ(a.total, 132);
    EXPECT_GE(a.width_exact, 132);
    EXPECT_GE(a.height_exact, 132);
    EXPECT_GE(a.both_exact, 132);
    EXPECT_GE(a.width_near, 132);
    EXPECT_GE(a.height_near, 132);
}

TEST(TextMetricsWidth, EmptyTextIsZeroWide) {
    EXPECT_EQ(tm().text_width(arial(13), ""), 0);
    EXPECT_EQ(tm().text_width(font("Times New Roman", 11, fsBold), ""), 0);
}

// Advances add up: there is no kerning, and every byte has its own width.
TEST(TextMetricsWidth, WidthIsTheSumOfTheCharacterWidths) {
    const Font fonts[] = {arial(9), arial(13, fsBold), font("Times New Roman", 11, fsItalic),
                          font("Times New Roman", 24)};
    const std::string texts[] = {"AV", "Tô", "Valor do documento", "1.234,56 R$",
                                 "\x80\x93\xA9\xFF"};
    for (const Font& f : fonts) {
        for (const std::string& text : texts) {
            int sum = 0;
            for (char c : text) sum += tm().text_width(f, std::string(1, c));
            EXPECT_EQ(tm().text_width(f, text), sum) << f.name << " " << f.height << " " << text;
        }
    }
}

TEST(TextMetricsWidth, FaceAndStyleChooseTheWidths) {
    const std::string text = "Valor do documento";
    const int regular = tm().text_width(arial(13), text);
    EXPECT_GT(tm().text_width(arial(13, fsBold), text), regular);
    EXPECT_NE(tm().text_width(font("Times New Roman", 13), text), regular);
    // Underline and strike-out are drawn over the same glyphs.
    EXPECT_EQ(tm().text_width(arial(13, fsUnderline | fsStrikeOut), text), regular);
    EXPECT_EQ(tm().text_width(arial(13, fsBold | fsUnderline), text),
              tm().text_width(arial(13, fsBold), text));
    // Names are matched ignoring case, and the Liberation names are accepted.
    EXPECT_EQ(tm().text_width(font("ARIAL", 13), text), regular);
    EXPECT_EQ(tm().text_width(font("Liberation Sans", 13), text), regular);
}

// Accented letters are single Windows-1252 bytes and must reach their own
// glyphs; a byte read as signed or as Latin-1 would not.
TEST(TextMetricsWidth, WindowsBytesMeasureAsTheirGlyphs) {
    const Font f = arial(13);
    const int missing = tm().text_width(f, "\x81");  // unassigned byte: no glyph
    struct Pair {
        const char* accented;
        const char* base;
    };
    const Pair pairs[] = {{"\xE9", "e"}, {"\xE7", "c"}, {"\xC3", "A"},
                          {"\xDA", "U"}, {"\x8A", "S"}, {"\x9A", "s"}};  // é ç Ã Ú Š š
    for (const Pair& p : pairs) {
        EXPECT_EQ(tm().text_width(f, p.accented), tm().text_width(f, p.base)) << p.base;
        EXPECT_NE(tm().text_width(f, p.accented), missing) << p.base;
    }
    EXPECT_EQ(tm().text_width(f, "\x8D"), missing);
    // The euro sign (0x80) is the currency glyph, as wide as a digit here.
    EXPECT_EQ(tm().text_width(f, "\x80"), tm().text_width(f, "0"));
}

TEST(TextMetricsWidth, GrowsWithTheSize) {
    const std::string text = "Recibo do pagador";
    int previous = 0;
    for (int pixels = 6; pixels <= 40; ++pixels) {
        const int width = tm().text_width(arial(pixels), text);
        EXPECT_GE(width, previous) << pixels;
        previous = width;
    }
    EXPECT_GT(tm().text_width(arial(18), text), tm().text_width(arial(9), text));
}

TEST(TextMetricsWidth, PositiveHeightIsTheCellHeight) {
    // A 2288-unit cell over a 2048-unit em: a 16 px cell holds a 14 px em.
    Font cell = arial(0);
    cell.height = 16;
    EXPECT_EQ(tm().text_width(cell, "Vencimento"), tm().text_width(arial(14), "Vencimento"));
    EXPECT_EQ(tm().line_height(cell), tm().line_height(arial(14)));
    cell.height = 0;
    EXPECT_THROW(tm().text_width(cell, "x"), Error);
}

TEST(TextMetricsLineHeight, FollowsTheSizeNotTheText) {
    int previous = 0;
    for (int pixels = 6; pixels <= 40; ++pixels) {
        const int height = tm().line_height(arial(pixels));
        EXPECT_GE(height, previous) << pixels;
        EXPECT_GE(height, pixels) << pixels;
        EXPECT_LE(height, pixels * 3 / 2) << pixels;
        previous = height;
    }
    EXPECT_GT(tm().line_height(arial(18)), tm().line_height(arial(9)));
}

TEST(TextMetricsOutline, ArialWidthsAndDescriptor) {
    const OutlineMetrics& m = tm().outline("Arial", 0);
    EXPECT_EQ(m.widths[' '], 278);
    EXPECT_EQ(m.widths['H'], 722);
    EXPECT_EQ(m.widths['1'], 556);
    EXPECT_EQ(m.widths[0xE9], m.widths['e']);  // é
    EXPECT_EQ(m.widths[0x81], m.missing_width);
    EXPECT_EQ(m.first_char, 32);
    EXPECT_EQ(m.last_char, 255);
    EXPECT_EQ(m.ascent, 905);
    EXPECT_EQ(m.descent, -212);
    EXPECT_GT(m.cap_height, 650);
    EXPECT_LT(m.cap_height, m.ascent);
    EXPECT_GT(m.x_height, 450);
    EXPECT_LT(m.x_height, m.cap_height);
    EXPECT_EQ(m.italic_angle, 0);
    EXPECT_EQ(m.flags, 32);
    EXPECT_LT(m.bbox_left, 0);
    EXPECT_LT(m.bbox_bottom, m.descent + 1);
    EXPECT_GT(m.bbox_right, m.widths['W']);
    EXPECT_GE(m.bbox_top, m.cap_height);
    EXPECT_GE(m.max_width, m.widths['W']);
    EXPECT_GT(m.avg_width, 0);
    EXPECT_EQ(m.postscript_name, "LiberationSans");
    // Cached: the same object for every name of the same file.
    EXPECT_EQ(&tm().outline("Liberation Sans", fsUnderline), &m);
}

TEST(TextMetricsOutline, StyleAndFaceShowInTheDescriptor) {
    const OutlineMetrics& regular = tm().outline("Arial", 0);
    const OutlineMetrics& bold = tm().outline("Arial", fsBold);
    const OutlineMetrics& italic = tm().outline("Arial", fsItalic);
    const OutlineMetrics& serif = tm().outline("Times New Roman", 0);
    EXPECT_GT(bold.stem_v, regular.stem_v);
    EXPECT_GT(bold.widths['b'], regular.widths['b']);
    EXPECT_EQ(italic.flags, 32 | 64);
    EXPECT_LT(italic.italic_angle, 0);
    EXPECT_EQ(serif.flags, 32 | 2);
    EXPECT_EQ(serif.widths[' '], 250);
    EXPECT_EQ(serif.widths['H'], 722);
    EXPECT_NE(serif.widths['a'], regular.widths['a']);
    EXPECT_EQ(serif.postscript_name, "LiberationSerif");
}

TEST(TextMetricsFonts, NamesAndStylesChooseTheFile) {
    struct Case {
        const char* name;
        unsigned style;
        const char* file;
    };
    const Case cases[] = {
        {"Arial", 0, "LiberationSans-Regular"},
        {"arial", fsUnderline | fsStrikeOut, "LiberationSans-Regular"},
        {"Arial", fsBold, "LiberationSans-Bold."},
        {"Arial", fsBold | fsItalic, "LiberationSans-BoldItalic"},
        {"Times New Roman", 0, "LiberationSerif-Regular"},
        {"Times New Roman", fsItalic, "LiberationSerif-Italic"},
        {"Liberation Serif", fsBold, "LiberationSerif-Bold."},
    };
    for (const Case& c : cases) {
        const std::string file = tm().font_file(c.name, c.style);
        EXPECT_NE(file.find(c.file), std::string::npos) << c.name << " " << c.style << ": " << file;
    }
}

TEST(TextMetricsFonts, UnknownNameTakesTheBestMatch) {
    const Font f = font("No Such Typeface 7", 13);
    EXPECT_FALSE(tm().font_file(f.name, 0).empty());
    EXPECT_GT(tm().text_width(f, "abc"), 0);
    EXPECT_GT(tm().line_height(f), 0);
}

std::string error_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(TextMetricsFonts, OwnFontDirectoryAndItsFailures) {
    TempDir empty;
    auto none = TextMetrics::create_with_font_dirs({empty.path()});
    EXPECT_NE(error_of([&] { none->text_width(arial(13), "x"); }).find("\"Arial\""),
              std::string::npos);

    TempDir dir;
    const fs::path copy = dir.file("sans.ttf");
    fs::copy_file(tm().font_file("Arial", 0), copy);
    std::ofstream(dir.file("notes.txt")) << "not a font";
    auto own = TextMetrics::create_with_font_dirs({dir.path()});
    EXPECT_EQ(own->text_width(arial(9), "Nosso n\xFAmero "), 64);
    EXPECT_EQ(own->font_file("Arial", 0), copy.string());
    // Only the regular Sans is there: a stand-in would silently change widths.
    const std::string serif = error_of([&] { own->line_height(font("Times New Roman", 11)); });
    EXPECT_NE(serif.find("\"Times New Roman\""), std::string::npos) << serif;
    EXPECT_NE(serif.find("Liberation Serif"), std::string::npos) << serif;
    const std::string bold = error_of([&] { own->text_width(arial(11, fsBold), "x"); });
    EXPECT_NE(bold.find("\"Arial\" bold"), std::string::npos) << bold;

    // A file that disappears after it was indexed is reported by its path.
    TempDir gone;
    fs::copy_file(tm().font_file("Arial", 0), gone.file("sans.ttf"));
    auto stale = TextMetrics::create_with_font_dirs({gone.path()});
    fs::remove(gone.file("sans.ttf"));
    const std::string missing = error_of([&] { stale->text_width(arial(9), "x"); });
    EXPECT_NE(missing.find("sans.ttf"), std::string::npos) << missing;

    EXPECT_THROW(TextMetrics::create_with_font_dirs({empty.file("absent")}), Error);
}

}  // namespace
}  // namespace tarvek::report
