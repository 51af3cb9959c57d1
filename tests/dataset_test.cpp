// Field lookup by name on the dataset interface: without regard to ASCII
// case, the first field of a name winning, and always in step with the
// fields the dataset has now (a query re-creates its fields when reopened).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "data/dataset.h"

namespace tarvek {
namespace {

// A dataset whose fields the test changes the way a concrete dataset does.
class FieldsOnly : public Dataset {
  public:
    FieldsOnly() : Dataset("tblTeste") {}
    using Dataset::add_field;
    using Dataset::clear_fields;

    void open() override {}
    void close() override {}
    bool active() const override { return true; }
    void first() override {}
    void next() override {}
    bool eof() const override { return true; }
    bool is_empty() const override { return true; }
    std::size_t record_count() override { return 0; }
};

Field& add(FieldsOnly& dataset, const char* name) {
    return dataset.add_field(FieldDef{.name = name, .type = FieldType::Text, .size = 10});
}

TEST(DatasetFields, LookupIgnoresAsciiCaseAndTheFirstOfANameWins) {
    FieldsOnly dataset;
    Field& codigo = add(dataset, "Codigo");
    Field& nome = add(dataset, "NOME_Cliente");
    add(dataset, "CODIGO");  // a second field of the same name is never found
    struct Case {
        const char* asked;
        const Field* expected;
    };
    const std::vector<Case> cases = {
        {"Codigo", &codigo},     {"codigo", &codigo}, {"CODIGO", &codigo},  {"nome_cliente", &nome},
        {"NOME_CLIENTE", &nome}, {"Codig", nullptr},  {"Codigo ", nullptr}, {"", nullptr},
        {"CÓDIGO", nullptr},  // only ASCII letters fold
    };
    for (const Case& c : cases) EXPECT_EQ(dataset.find_field(c.asked), c.expected) << c.asked;
}

TEST(DatasetFields, LookupFollowsFieldsAddedAndClearedAfterAnEarlierLookup) {
    FieldsOnly dataset;
    add(dataset, "CODIGO");
    ASSERT_NE(dataset.find_field("codigo"), nullptr);
    EXPECT_EQ(dataset.find_field("valor"), nullptr);

    Field& valor = add(dataset, "VALOR");
    EXPECT_EQ(dataset.find_field("valor"), &valor);

    dataset.clear_fields();
    EXPECT_EQ(dataset.find_field("codigo"), nullptr);
    EXPECT_EQ(dataset.find_field("valor"), nullptr);
    Field& again = add(dataset, "Codigo");
    EXPECT_EQ(dataset.find_field("CODIGO"), &again);
    EXPECT_THROW(dataset.field_by_name("valor"), DatabaseError);
}

}  // namespace
}  // namespace tarvek
