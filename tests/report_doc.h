// A small report over an in-memory table with one text field, NOME, as the
// engine tests build it: declare a layout, add rows, prepare.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "data/memory_table.h"
#include "report/layout.h"
#include "report/report.h"

namespace tarvek::test {

struct ReportDoc {
    report::TRLReport report{"Relatorio"};
    MemoryTable table{"tabela"};
    report::TDataSource source{"fonte", &table};
    // Messages the engine showed, instead of message boxes.
    std::vector<std::string> messages;

    ReportDoc() {
        table.declare_field({.name = "NOME", .type = FieldType::Text, .size = 200});
        report.DataSource = &source;
        report.ShowProgress = false;
        report.SetTitle("Teste");  // a fixed job title keeps outputs free of paths
        report::set_message_handler([this](const std::string& text) { messages.push_back(text); });
    }
    ~ReportDoc() { report::set_message_handler(nullptr); }
    ReportDoc(const ReportDoc&) = delete;
    ReportDoc& operator=(const ReportDoc&) = delete;

    // Rows "linha 1" .. "linha <count>"; opens the table.
    void rows(int count) {
        for (int i = 1; i <= count; ++i) table.append({std::string("linha ") + std::to_string(i)});
        table.open();
    }
    void build(const std::vector<report::ControlDesign>& designs) {
        report::build_layout(report, designs, &source);
    }
    template <typename T>
    T& find(const std::string& name) {
        auto* c = dynamic_cast<T*>(report.Find(name));
        if (!c) throw std::runtime_error("no control " + name);
        return *c;
    }
};

}  // namespace tarvek::test
