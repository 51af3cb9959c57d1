// The in-memory table as the item tables use it: typed, size-limited fields,
// rows appended while the table is open, read in the order of the index
// field, by the report through the dataset interface.
#include <gtest/gtest.h>

#include "data/memory_table.h"
#include "report/metafile.h"
#include "tests/report_doc.h"

namespace tarvek {
namespace {

using namespace report;

std::vector<std::string> read_all(MemoryTable& table, const char* field) {
    std::vector<std::string> values;
    for (table.first(); !table.eof(); table.next())
        values.push_back(table.field_by_name(field).as_string());
    return values;
}

TEST(MemoryTable, RowsAppendedAfterOpeningAreRead) {
    MemoryTable table("tblItens");
    table.declare_field({.name = "desc", .type = FieldType::Text, .size = 100});
    table.open();
    EXPECT_TRUE(table.eof());
    table.append({std::string("primeira")});
    table.append({std::string("segunda")});
    EXPECT_FALSE(table.is_empty());
    EXPECT_EQ(read_all(table, "desc"), (std::vector<std::string>{"primeira", "segunda"}));
}

TEST(MemoryTable, IndexFieldOrdersRowsAppendedBeforeAndAfterOpening) {
    MemoryTable table("tblItens");
    table.declare_field({.name = "desc", .type = FieldType::Text, .size = 20});
    table.declare_field({.name = "id_lin", .type = FieldType::Integer});
    table.set_index_field("id_lin");
    table.append({std::string("c"), std::int64_t{3}});
    table.append({std::string("a"), std::int64_t{1}});
    table.open();
    table.append({std::string("b"), std::int64_t{2}});
    table.append({std::string("b2"), std::int64_t{2}});  // equal keys keep their order
    table.append({std::string("d"), std::int64_t{4}});
    EXPECT_EQ(read_all(table, "desc"), (std::vector<std::string>{"a", "b", "b2", "c", "d"}));
}

TEST(MemoryTable, TextLongerThanItsFieldIsCutToTheFieldSize) {
    MemoryTable table("tblItens");
    table.declare_field({.name = "cod", .type = FieldType::Text, .size = 5});
    table.declare_field({.name = "livre", .type = FieldType::Text});  // no size: kept whole
    table.open();
    table.append({std::string("0123456789"), std::string("0123456789")});
    table.append({std::string("abc")});
    table.first();
    EXPECT_EQ(table.field_by_name("cod").as_string(), "01234");
    EXPECT_EQ(table.field_by_name("livre").as_string(), "0123456789");
    table.next();
    EXPECT_EQ(table.field_by_name("cod").as_string(), "abc");
    EXPECT_TRUE(table.field_by_name("livre").is_null());
}

TEST(MemoryTable, ReportReadsRowsAppendedAfterOpening) {
    test::ReportDoc doc;
    doc.build({band("banda", 38, 38, 718, 20, {dbtext("texto", 10, 2, 300, 14, "NOME").font(11)})});
    doc.table.open();
    doc.table.append({std::string("linha um")});
    doc.table.append({std::string("linha dois")});
    ASSERT_TRUE(doc.report.Prepare());
    std::vector<std::string> texts;
    for (const GraphicObject& o : doc.report.Pages()->page(0)->objects()) {
        if (o.kind == ObjectKind::Text) texts.push_back(o.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"linha um", "linha dois"}));
    EXPECT_EQ(doc.report.DetailCount(), 2);
}

}  // namespace
}  // namespace tarvek
