#include "data/memory_table.h"

#include <algorithm>
#include <numeric>

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

void MemoryTable::append(std::vector<FieldValue> values) {
    values.resize(field_count());
    rows_.push_back(std::move(values));
}

void MemoryTable::clear_rows() {
    rows_.clear();
    if (active_) first();
}

void MemoryTable::open() {
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    if (!index_field_.empty()) {
        std::size_t column = 0;
        const Field& key = field_by_name(index_field_);
        while (&field(column) != &key) ++column;
        std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
            return less_value(rows_[a][column], rows_[b][column]);
        });
    }
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
