// PDF writing throughput: a boleto-like document of N pages (texts, framed
// fields drawn as 1-px rules, a logo and a bar-code-like image per page) is
// prepared and saved; prints pages per second and peak memory.
//
//   tarvek-bench-pdf <output.pdf> [pages]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/errors.h"
#include "data/memory_table.h"
#include "report/layout.h"
#include "report/pdf_filter.h"
#include "report/report.h"

namespace {

using namespace tarvek;
using namespace tarvek::report;

long peak_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

Picture logo() {
    const int w = 150, h = 50;
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            rgb.push_back(static_cast<std::uint8_t>(x * 255 / w));
            rgb.push_back(static_cast<std::uint8_t>(y * 255 / h));
            rgb.push_back(160);
        }
    }
    return Picture::from_rgb(w, h, std::move(rgb));
}

// Narrow and wide bars like an interleaved 2 of 5 code, from a fixed seed.
Picture bars() {
    const int w = 410, h = 50;
    std::vector<bool> dark;
    unsigned seed = 12345;
    bool black = true;
    while (static_cast<int>(dark.size()) < w) {
        seed = seed * 1103515245u + 12345u;
        const int width = (seed >> 16) % 3 == 0 ? 3 : 1;
        for (int i = 0; i < width; ++i) dark.push_back(black);
        black = !black;
    }
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t v = dark[static_cast<std::size_t>(x)] ? 0 : 255;
            rgb.insert(rgb.end(), {v, v, v});
        }
    }
    return Picture::from_rgb(w, h, std::move(rgb));
}

ControlDesign field(const std::string& name, int left, int top, int width, const std::string& title,
                    const std::string& data) {
    return panel(name, left, top, width, 34,
                 {label(name + "_t", 3, 2, width - 6, 11, title).font(9),
                  dbtext(name + "_d", 3, 16, width - 6, 14, data).font(12).fixed_size()})
        .borders(kAll);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvek-bench-pdf <output.pdf> [pages]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int pages = argc > 2 ? std::stoi(argv[2]) : 100;
    try {
        MemoryTable table("boletos");
        for (const char* name : {"NOME", "DOC", "VENC", "VALOR", "NOSSO", "LINHA"}) {
            table.declare_field({.name = name, .type = FieldType::Text, .size = 120});
        }
        for (int i = 1; i <= pages; ++i) {
            const std::string n = std::to_string(i);
            table.append({utf8_to_cp1252("Cliente " + n + " Comércio de Peças Ltda"), "DOC-" + n,
                          "10/03/2025", n + ",90", "0000" + n,
                          "75691.23456 01234.567890 12345.678901 1 " + n});
        }
        table.open();
        TDataSource source{"fonte", &table};

        TRLReport report("boleto");
        report.DataSource = &source;
        report.ShowProgress = false;
        report.SetTitle("Boletos");
        std::vector<ControlDesign> fields;
        const char* titles[] = {
            "Local de pagamento", "Vencimento", "Beneficiário", "Agência/Código", "Nosso número",
            "Valor do documento", "Pagador",    "Nº documento", "Instruções"};
        const char* data[] = {"NOME",  "VENC", "NOME", "DOC",  "NOSSO",
                              "VALOR", "NOME", "DOC",  "LINHA"};
        for (int copy = 0; copy < 2; ++copy) {
            const int top = 70 + copy * 480;
            for (int i = 0; i < 9; ++i) {
                const int row = i / 3, col = i % 3;
                fields.push_back(field("f" + std::to_string(copy) + std::to_string(i), col * 239,
                                       top + row * 34, col == 2 ? 240 : 239, titles[i], data[i]));
            }
            fields.push_back(dbtext("linha" + std::to_string(copy), 200, top - 24, 500, 18, "LINHA")
                                 .font(15, "Arial", fsBold)
                                 .right()
                                 .fixed_size());
            fields.push_back(image("logo" + std::to_string(copy), 0, top - 60, 150, 50));
            fields.push_back(
                panel("corte" + std::to_string(copy), 0, top + 120, 718, 1).borders(kTop));
        }
        fields.push_back(image("barras", 0, 900, 410, 50));
        build_layout(report, {band("detalhe", 38, 38, 718, 1000, fields)}, &source);
        for (const char* name : {"logo0", "logo1"}) {
            dynamic_cast<TRLImage&>(*report.Find(name)).SetPicture(logo());
        }
        dynamic_cast<TRLImage&>(*report.Find("barras")).SetPicture(bars());

        TRLPDFFilter filter;
        filter.ShowProgress = false;
        report.SaveFilter = &filter;

        const auto start = std::chrono::steady_clock::now();
        report.Prepare();
        const auto prepared = std::chrono::steady_clock::now();
        const long prepare_peak = peak_kib();
        report.SaveToFile(path);
        const auto saved = std::chrono::steady_clock::now();

        const double prepare_s = std::chrono::duration<double>(prepared - start).count();
        const double save_s = std::chrono::duration<double>(saved - prepared).count();
        const int written = report.Pages()->page_count();
        std::printf(
            "pages %d  prepare %.2f s (%.0f pages/s)  write %.2f s (%.0f pages/s)  "
            "file %ju KiB  peak RSS after prepare %ld KiB, after write %ld KiB\n",
            written, prepare_s, written / prepare_s, save_s, written / save_s,
            static_cast<std::uintmax_t>(std::filesystem::file_size(path) / 1024), prepare_peak,
            peak_kib());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvek-bench-pdf: %s\n", e.what());
        return 1;
    }
}
