#include "data/memory_table.h"

#include <algorithm>

#include "base/string_helpers.h"

namespace tarvek {

namespace {

// Orders values of one field: null first, then by value of the same kind.
bool less_value(const FieldValue& a, const FieldValue& b) {
    if (a.index() != b.index()) return a.index() < b.index();
    if (const auto* x = std::get_if<std::int64_t>(&a)) return *x < std::get<std::int64_t>(b);
    if (const auto* x = std::get_if<std::string>(&a)) return *x < std::get<std::string>(b);
    if (const auto* x = std::get_if<double>(&a)) return *x < std::get<double>(b);
    if (const auto* x = std::get_if<Decimal>(&a))
        return x->to_double() < std::get<Decimal>(b).to_double();
    return false;
}

}  // namespace

Field& MemoryTable::declare_field(FieldDef def) {
    close();
    return add_field(std::move(def));
}

std::size_t MemoryTable::index_column() const {
    for (std::size_t column = 0; column < field_count(); ++column) {
        if (ascii_lower(field(column).name()) == ascii_lower(index_field_)) return column;
    }
    fail("Field '" + index_field_ + "' not found");
}

std::size_t MemoryTable::order_position(const std::vector<FieldValue>& row) const {
    if (index_field_.empty()) return order_.size();
    const std::size_t column = index_column();
    const auto after = std::upper_bound(order_.begin(), order_.end(), row[column],
                                        [&](const FieldValue& key, std::size_t other) {
                                            return less_value(key, rows_[other][column]);
                                        });
    return static_cast<std::size_t>(after - order_.begin());
}

void MemoryTable::set_index_field(std::string name) {
    index_field_ = std::move(name);
    order_.resize(rows_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = i;
    if (!index_field_.empty()) {
        const std::size_t column = index_column();
        std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
            return less_value(rows_[a][column], rows_[b][column]);
        });
    }
    if (active_) first();
}

void MemoryTable::append(std::vector<FieldValue> values) {
    values.resize(field_count());
    for (std::size_t f = 0; f < values.size(); ++f) {
        const Field& target = field(f);
        auto* text = std::get_if<std::string>(&values[f]);
        if (text && target.type() == FieldType::Text && target.size() > 0 &&
            text->size() > static_cast<std::size_t>(target.size())) {
            text->resize(static_cast<std::size_t>(target.size()));
        }
    }
    const std::size_t position = order_position(values);
    rows_.push_back(std::move(values));
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(position), rows_.size() - 1);
    // A row put before the current one must not change which row is current.
    if (active_ && !eof_ && position <= position_) ++position_;
}

void MemoryTable::clear_rows() {
    rows_.clear();
    order_.clear();
    if (active_) first();
}

void MemoryTable::open() {
    active_ = true;
    first();
}

void MemoryTable::close() {
    active_ = false;
    eof_ = true;
    clear_values();
}

void MemoryTable::first() {
    if (!active_) fail("Cannot perform this operation on a closed dataset");
    position_ = 0;
    eof_ = rows_.empty();
    load_current();
}

void MemoryTable::next() {
    if (!active_) fail("Cannot perform this operation on a closed dataset");
    if (eof_) return;
    if (position_ + 1 < order_.size()) {
        ++position_;
        load_current();
    } else {
        eof_ = true;
    }
}

void MemoryTable::load_current() {
    if (eof_ || position_ >= order_.size()) {
        clear_values();
        return;
    }
    const auto& row = rows_[order_[position_]];
    for (std::size_t f = 0; f < field_count(); ++f) field(f).set_value(row[f]);
}

}  // namespace tarvek
