#include "data/dataset.h"

#include <charconv>

#include "base/errors.h"
#include "base/string_helpers.h"

namespace tarvek {

const char* field_type_name(FieldType type) {
    switch (type) {
        case FieldType::Text:
            return "String";
        case FieldType::Integer:
            return "Integer";
        case FieldType::Decimal:
            return "BCD";
        case FieldType::Float:
            return "Float";
        case FieldType::Date:
            return "Date";
        case FieldType::Time:
            return "Time";
        case FieldType::DateTime:
            return "DateTime";
        case FieldType::Memo:
            return "Memo";
        case FieldType::Blob:
            return "Blob";
        case FieldType::Boolean:
            return "Boolean";
    }
    return "Unknown";
}

Field::Field(Dataset& owner, FieldDef def) : owner_(&owner), def_(std::move(def)) {}

std::string Field::as_string() const {
    const FormatSettings& fs = FormatSettings::current();
    struct Visitor {
        const FormatSettings& fs;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(const Decimal& v) const { return decimal_to_str(v, fs); }
        std::string operator()(double v) const { return float_to_str(v, fs); }
        std::string operator()(const Date& v) const { return date_to_str(v, fs); }
        std::string operator()(const TimeOfDay& v) const { return time_to_str(v, fs); }
        std::string operator()(const DateTime& v) const { return datetime_to_str(v, fs); }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
    };
    return std::visit(Visitor{fs}, value_);
}

std::int64_t Field::as_integer() const {
    struct Visitor {
        const Field& field;
        std::int64_t operator()(std::monostate) const { return 0; }
        std::int64_t operator()(const std::string& v) const { return str_to_int(v); }
        std::int64_t operator()(std::int64_t v) const { return v; }
        std::int64_t operator()(const Decimal& v) const {
            // Rounded like the data layer converts decimals to whole numbers.
            std::int64_t divisor = 1;
            for (int i = 0; i < v.scale; ++i) divisor *= 10;
            const std::int64_t whole = v.units / divisor;
            const std::int64_t rest = v.units % divisor;
            if (2 * (rest < 0 ? -rest : rest) >= divisor) return whole + (v.units < 0 ? -1 : 1);
            return whole;
        }
        std::int64_t operator()(double v) const {
            return static_cast<std::int64_t>(v < 0 ? v - 0.5 : v + 0.5);
        }
        std::int64_t operator()(const Date&) const { return fail(); }
        std::int64_t operator()(const TimeOfDay&) const { return fail(); }
        std::int64_t operator()(const DateTime&) const { return fail(); }
        std::int64_t operator()(bool v) const { return v ? 1 : 0; }
        std::int64_t fail() const {
            throw DatabaseError(field.dataset().name() + ": Field '" + field.name() +
                                "' cannot be read as an integer");
        }
    };
    return std::visit(Visitor{*this}, value_);
}

double Field::as_float() const {
    struct Visitor {
        const Field& field;
        double operator()(std::monostate) const { return 0; }
        double operator()(const std::string& v) const {
            // Text in the locale's decimal form, as typed by a user.
            const FormatSettings& fs = FormatSettings::current();
            std::string normal;
            for (char c : v) {
                if (c == fs.thousand_separator && c != fs.decimal_separator) continue;
                normal += c == fs.decimal_separator ? '.' : c;
            }
            double d = 0;
            const auto [end, error] =
                std::from_chars(normal.data(), normal.data() + normal.size(), d);
            if (error == std::errc() && end == normal.data() + normal.size() && !normal.empty())
                return d;
            throw ConvertError("'" + v + "' is not a valid floating point value");
        }
        double operator()(std::int64_t v) const { return static_cast<double>(v); }
        double operator()(const Decimal& v) const { return v.to_double(); }
        double operator()(double v) const { return v; }
        double operator()(const Date&) const { return fail(); }
        double operator()(const TimeOfDay&) const { return fail(); }
        double operator()(const DateTime&) const { return fail(); }
        double operator()(bool v) const { return v ? 1 : 0; }
        double fail() const {
            throw DatabaseError(field.dataset().name() + ": Field '" + field.name() +
                                "' cannot be read as a number");
        }
    };
    return std::visit(Visitor{*this}, value_);
}

bool Field::as_boolean() const {
    if (const bool* b = std::get_if<bool>(&value_)) return *b;
    if (is_null()) return false;
    if (const std::string* s = std::get_if<std::string>(&value_)) {
        if (ascii_iequals(*s, "true")) return true;
        if (ascii_iequals(*s, "false")) return false;
        throw ConvertError("'" + *s + "' is not a valid boolean value");
    }
    return as_integer() != 0;
}

std::string Field::display_text() const {
    const FormatSettings& fs = FormatSettings::current();
    const std::string& format = def_.display_format;
    if (!format.empty() && !is_null()) {
        if (const Decimal* d = std::get_if<Decimal>(&value_)) return format_float(format, *d, fs);
        if (const double* f = std::get_if<double>(&value_)) return format_float(format, *f, fs);
        if (const std::int64_t* i = std::get_if<std::int64_t>(&value_)) {
            return format_float(format, Decimal{*i, 0}, fs);
        }
        if (const Date* date = std::get_if<Date>(&value_)) return format_date(format, *date);
        if (const DateTime* dt = std::get_if<DateTime>(&value_)) {
            return format_time(format_date(format, dt->date), dt->time);
        }
    }
    return as_string();
}

Dataset::~Dataset() = default;

std::size_t Dataset::NameHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(ascii_upper_char(c));
        hash *= 1099511628211ULL;
    }
    return hash;
}

bool Dataset::NameEquals::operator()(std::string_view a, std::string_view b) const {
    return ascii_iequals(a, b);
}

Field* Dataset::find_field(std::string_view field_name) {
    if (!index_built_) {
        index_.clear();
        // The first field of a name wins, as a scan in order would find it.
        for (auto& f : fields_) index_.try_emplace(f->name(), f.get());
        index_built_ = true;
    }
    const auto found = index_.find(field_name);
    return found == index_.end() ? nullptr : found->second;
}

Field& Dataset::field_by_name(std::string_view field_name) {
    if (Field* f = find_field(field_name)) return *f;
    fail("Field '" + std::string(field_name) + "' not found");
}

Field& Dataset::add_field(FieldDef def) {
    fields_.push_back(std::make_unique<Field>(*this, std::move(def)));
    index_built_ = false;
    return *fields_.back();
}

void Dataset::clear_fields() {
    fields_.clear();
    index_.clear();
    index_built_ = false;
}

void Dataset::clear_values() {
    for (auto& f : fields_) f->set_value(std::monostate{});
}

void Dataset::fail(const std::string& message) const {
    throw DatabaseError(name_ + ": " + message);
}

}  // namespace tarvek
