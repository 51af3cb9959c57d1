// A dataset held in memory: declared fields, rows appended by code, read
// through the same interface as a database query. Rows are read in the order
// of the index field when one is set (ascending; equal keys in the order they
// were appended), else in the order they were appended. Rows may be appended
// before or after the table opens; a text longer than its field's size is
// cut to that size, as a fixed-size column would store it.
#pragma once

#include <string>
#include <vector>

#include "data/dataset.h"

namespace tarvek {

class MemoryTable : public Dataset {
  public:
    explicit MemoryTable(std::string name) : Dataset(std::move(name)) {}

    // Fields are declared before the table opens.
    Field& declare_field(FieldDef def);
    // Rows are read in ascending order of this field (empty: append order);
    // an open table goes back to its first row.
    void set_index_field(std::string name);

    // Appends a row; values by field position (missing ones are null). The
    // current row stays where it is.
    void append(std::vector<FieldValue> values);
    void clear_rows();
    std::size_t row_count() const { return rows_.size(); }

    void open() override;
    void close() override;
    bool active() const override { return active_; }
    void first() override;
    void next() override;
    bool eof() const override { return eof_; }
    bool is_empty() const override { return rows_.empty(); }
    std::size_t record_count() override { return active_ ? rows_.size() : 0; }

  private:
    void load_current();
    // Where a row goes in the reading order: after every row whose key is not
    // greater.
    std::size_t order_position(const std::vector<FieldValue>& row) const;
    std::size_t index_column() const;

    std::string index_field_;
    std::vector<std::vector<FieldValue>> rows_;
    std::vector<std::size_t> order_;
    std::size_t position_ = 0;  // into order_
    bool active_ = false;
    bool eof_ = true;
};

}  // namespace tarvek
