// An SQL query on one connection and transaction, readable as a Dataset.
//
// The SQL text is a list of lines; the text sent to the server is every line
// followed by CR LF. Replacing the text closes the query. Rows are fetched on
// demand and kept, so first() can return to the start; a unidirectional
// query keeps none (see set_unidirectional).
//
// Declared fields: when a layout declares its fields, exactly those exist,
// each matched to a result column by name without regard to case; a declared
// field the result lacks (unless declared optional, which then stays null),
// or one whose type does not fit the column, fails the open. Result columns
// without a declared field are ignored. A query without declared fields
// exposes every result column.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/dataset.h"

namespace tarvek {

class Database;
class Transaction;

class Query : public Dataset {
  public:
    Query(std::string component_name, Database& database, Transaction& transaction);
    ~Query() override;

    Database& database() const { return *database_; }
    Transaction& transaction() const { return *transaction_; }

    const std::vector<std::string>& sql() const { return sql_lines_; }
    // The text as sent: each line followed by CR LF.
    std::string sql_text() const;
    // Replaces the SQL text; `text` is split at CR LF, CR or LF.
    void set_sql(std::string_view text);
    void set_sql_lines(std::vector<std::string> lines);
    void clear_sql();
    void add_sql_line(std::string line);

    void declare_field(FieldDef def);
    bool has_declared_fields() const { return !declared_.empty(); }

    // Forward-only reading for readers that only move forward (a report
    // walking its records): each row goes straight into the fields and is
    // not kept, so memory stays the same however many rows there are.
    // first() after next() runs the statement again, and record_count()
    // counts with a second run that reads no values. Takes effect at the
    // next open().
    void set_unidirectional(bool unidirectional);
    bool unidirectional() const { return unidirectional_; }

    // Runs a statement that returns rows. Raises "Empty query" for a blank
    // text and the client library's error for anything the server rejects.
    void open() override;
    void close() override;
    bool active() const override { return active_; }
    // Prepares and executes a statement that returns no rows.
    void exec_sql();

    void first() override;
    void next() override;
    bool eof() const override { return eof_; }
    bool is_empty() const override;
    std::size_t record_count() override;

  private:
    friend class Database;  // forgets itself when the database goes first
    struct Cursor;
    // Fetches the next row into the cursor's buffer; false at the end.
    bool fetch_next();
    // Fetches and keeps the next row (bidirectional reading).
    bool fetch_row();
    // Fetches the next row into the fields (unidirectional reading).
    bool fetch_into_fields();
    FieldValue column_value(std::size_t field_index) const;
    void open_cursor();
    void load_current();

    Database* database_;
    Transaction* transaction_;
    std::vector<std::string> sql_lines_;
    std::vector<FieldDef> declared_;
    std::unique_ptr<Cursor> cursor_;
    std::vector<std::vector<FieldValue>> rows_;
    std::vector<int> column_of_field_;
    std::size_t position_ = 0;  // rows moved past since the first
    bool active_ = false;
    bool eof_ = true;
    bool unidirectional_ = false;
    bool reading_forward_ = false;        // this open reads unidirectionally
    bool empty_ = true;                   // the result has no row (unidirectional)
    std::optional<std::size_t> counted_;  // record_count of a unidirectional open
};

}  // namespace tarvek
