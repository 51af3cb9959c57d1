// The row-by-row reading interface every data source offers: database queries
// and the in-memory item tables alike. The report engine reads only through it.
//
// A dataset owns its fields; a Field reference stays valid while the dataset
// lives, and reflects the current row. Field names compare without regard to
// ASCII case.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "base/format.h"

namespace tarvek {

enum class FieldType {
    Text,     // CHAR / VARCHAR
    Integer,  // SMALLINT / INTEGER / BIGINT
    Decimal,  // NUMERIC / DECIMAL, exact
    Float,    // FLOAT / DOUBLE PRECISION
    Date,
    Time,
    DateTime,  // TIMESTAMP
    Memo,      // text BLOB
    Blob,      // binary BLOB
    Boolean,
};

const char* field_type_name(FieldType type);

using FieldValue = std::variant<std::monostate, std::string, std::int64_t, Decimal, double, Date,
                                TimeOfDay, DateTime, bool>;

// How a layout declares a field it reads (a persistent field): its name, type
// and formats. An undeclared dataset exposes every result column instead.
struct FieldDef {
    std::string name;
    FieldType type = FieldType::Text;
    int size = 0;  // characters for text; decimals for Decimal
    bool fixed_char = false;
    bool required = false;
    // A query whose result lacks the column leaves the field null instead of
    // failing (a column added by a later version of the ERP).
    bool optional = false;
    std::string display_format;
    std::string edit_format;
    std::string origin;  // where the value comes from, e.g. "BOLETOS.CODBARRAS"
};

class Dataset;

class Field {
  public:
    Field(Dataset& owner, FieldDef def);

    const std::string& name() const { return def_.name; }
    FieldType type() const { return def_.type; }
    int size() const { return def_.size; }
    const FieldDef& def() const { return def_; }
    Dataset& dataset() const { return *owner_; }

    const std::string& display_format() const { return def_.display_format; }
    void set_display_format(std::string format) { def_.display_format = std::move(format); }
    const std::string& edit_format() const { return def_.edit_format; }
    void set_edit_format(std::string format) { def_.edit_format = std::move(format); }

    bool is_null() const { return std::holds_alternative<std::monostate>(value_); }
    const FieldValue& value() const { return value_; }
    void set_value(FieldValue value) { value_ = std::move(value); }

    // The plain text: text as stored (fixed-length text keeps its blanks),
    // numbers in their shortest form with the locale's decimal separator,
    // dates in the short date format; empty for null.
    std::string as_string() const;
    // Numbers as numbers; text converted (ConvertError when it is not one);
    // 0 for null.
    std::int64_t as_integer() const;
    double as_float() const;
    bool as_boolean() const;
    // The text a report prints: the display format applied to numbers, the
    // short date format to dates, the plain text otherwise; empty for null.
    std::string display_text() const;

  private:
    Dataset* owner_;
    FieldDef def_;
    FieldValue value_;
};

class Dataset {
  public:
    explicit Dataset(std::string name) : name_(std::move(name)) {}
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    // The component name, used in error messages ("qryBoleto: Field 'X' not found").
    const std::string& name() const { return name_; }

    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool active() const = 0;

    // Navigation. After open() the first row is current; eof() is true once
    // next() moved past the last row, and at once for an empty result.
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // True when the open dataset holds no row at all.
    virtual bool is_empty() const = 0;
    // The number of rows of the open dataset (a query reads all of them to
    // know); 0 when closed. The current row stays where it is.
    virtual std::size_t record_count() = 0;

    std::size_t field_count() const { return fields_.size(); }
    Field& field(std::size_t index) { return *fields_.at(index); }
    const Field& field(std::size_t index) const { return *fields_.at(index); }
    Field* find_field(std::string_view field_name);
    // Raises DatabaseError "<name>: Field 'X' not found" when missing.
    Field& field_by_name(std::string_view field_name);

  protected:
    // Fields are created by the concrete dataset, when it is declared or opened.
    Field& add_field(FieldDef def);
    void clear_fields();
    // Sets every field to null (no current row).
    void clear_values();
    [[noreturn]] void fail(const std::string& message) const;

  private:
    // Field names without regard to ASCII case.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEquals {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::string name_;
    std::vector<std::unique_ptr<Field>> fields_;
    // Reports look a field up by name for every value they print; the
    // index is built at the first lookup after the fields changed.
    std::unordered_map<std::string, Field*, NameHash, NameEquals> index_;
    bool index_built_ = false;
};

}  // namespace tarvek
