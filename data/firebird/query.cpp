#include "data/firebird/query.h"

#include <ibase.h>

#include <cstring>

#include "base/errors.h"
#include "base/string_helpers.h"
#include "base/text_lines.h"
#include "data/firebird/firebird.h"
#include "data/firebird/firebird_client.h"

namespace tarvek {

namespace {

constexpr int kDialect = 3;

struct Column {
    std::string alias;
    unsigned type = 0;  // SQL_* without the nullable bit
    int sub_type = 0;
    int scale = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned null_offset = 0;
};

FieldType natural_type(const Column& c) {
    switch (c.type) {
        case SQL_TEXT:
        case SQL_VARYING:
        case SQL_NULL:
            return FieldType::Text;
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            return c.scale < 0 ? FieldType::Decimal : FieldType::Integer;
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return FieldType::Float;
        case SQL_TYPE_DATE:
            return FieldType::Date;
        case SQL_TYPE_TIME:
            return FieldType::Time;
        case SQL_TIMESTAMP:
            return FieldType::DateTime;
        case SQL_BLOB:
            return c.sub_type == 1 ? FieldType::Memo : FieldType::Blob;
        case SQL_BOOLEAN:
            return FieldType::Boolean;
        default:
            return FieldType::Blob;
    }
}

// Whether a declared field of type `declared` can read a column of type `actual`.
bool fits(FieldType declared, FieldType actual) {
    if (declared == actual) return true;
    switch (declared) {
        case FieldType::Float:
            return actual == FieldType::Decimal || actual == FieldType::Integer;
        case FieldType::Decimal:
            return actual == FieldType::Float;
        case FieldType::Blob:
            return actual == FieldType::Memo;
        case FieldType::Memo:
            return actual == FieldType::Blob;
        default:
            return false;
    }
}

// Converts a column's natural value to the value of the declared type.
FieldValue convert_to(FieldType declared, FieldValue value) {
    if (std::holds_alternative<std::monostate>(value)) return value;
    if (declared == FieldType::Float) {
        if (const Decimal* d = std::get_if<Decimal>(&value)) return d->to_double();
        if (const std::int64_t* i = std::get_if<std::int64_t>(&value))
            return static_cast<double>(*i);
    }
    return value;
}

}  // namespace

struct Query::Cursor {
    Firebird::IStatement* statement = nullptr;
    Firebird::IResultSet* result_set = nullptr;
    Firebird::IMessageMetadata* metadata = nullptr;
    std::vector<Column> columns;
    std::vector<unsigned char> buffer;

    ~Cursor() {
        // Releasing (not closing) never reports; a dropped connection is fine.
        if (result_set) result_set->release();
        if (statement) statement->release();
        if (metadata) metadata->release();
    }

    std::string read_blob(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction,
                          ISC_QUAD id) const {
        Firebird::IBlob* blob = fb::checked(
            [&](auto* s) { return attachment->openBlob(s, transaction, &id, 0, nullptr); });
        std::string content;
        char segment[16384];
        try {
            for (;;) {
                unsigned length = 0;
                const int result = fb::checked(
                    [&](auto* s) { return blob->getSegment(s, sizeof segment, segment, &length); });
                if (result == Firebird::IStatus::RESULT_NO_DATA) break;
                content.append(segment, length);
            }
            fb::checked([&](auto* s) { blob->close(s); });
        } catch (...) {
            blob->release();
            throw;
        }
        return content;
    }

    FieldValue decode(const Column& c, Firebird::IAttachment* attachment,
                      Firebird::ITransaction* transaction) const {
        const unsigned char* data = buffer.data() + c.offset;
        if (*reinterpret_cast<const short*>(buffer.data() + c.null_offset) != 0)
            return std::monostate{};
        auto integer = [&]() -> std::int64_t {
            switch (c.type) {
                case SQL_SHORT: {
                    std::int16_t v;
                    std::memcpy(&v, data, sizeof v);
                    return v;
                }
                case SQL_LONG: {
                    std::int32_t v;
                    std::memcpy(&v, data, sizeof v);
                    return v;
                }
                default: {
                    std::int64_t v;
                    std::memcpy(&v, data, sizeof v);
                    return v;
                }
            }
        };
        switch (c.type) {
            case SQL_TEXT:
                return std::string(reinterpret_cast<const char*>(data), c.length);
            case SQL_VARYING: {
                std::uint16_t len;
                std::memcpy(&len, data, sizeof len);
                return std::string(reinterpret_cast<const char*>(data) + 2, len);
            }
            case SQL_SHORT:
            case SQL_LONG:
            case SQL_INT64:
                if (c.scale < 0) return Decimal{integer(), -c.scale};
                return integer();
            case SQL_FLOAT: {
                float v;
                std::memcpy(&v, data, sizeof v);
                return static_cast<double>(v);
            }
            case SQL_DOUBLE:
            case SQL_D_FLOAT: {
                double v;
                std::memcpy(&v, data, sizeof v);
                return v;
            }
            case SQL_TYPE_DATE: {
                ISC_DATE v;
                std::memcpy(&v, data, sizeof v);
                unsigned y, m, d;
                fb::util()->decodeDate(v, &y, &m, &d);
                return Date{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
            }
            case SQL_TYPE_TIME: {
                ISC_TIME v;
                std::memcpy(&v, data, sizeof v);
                unsigned h, mi, s, f;
                fb::util()->decodeTime(v, &h, &mi, &s, &f);
                return TimeOfDay{static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s),
                                 static_cast<int>(f)};
            }
            case SQL_TIMESTAMP: {
                ISC_TIMESTAMP v;
                std::memcpy(&v, data, sizeof v);
                unsigned y, m, d, h, mi, s, f;
                fb::util()->decodeDate(v.timestamp_date, &y, &m, &d);
                fb::util()->decodeTime(v.timestamp_time, &h, &mi, &s, &f);
                return DateTime{Date{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)},
                                TimeOfDay{static_cast<int>(h), static_cast<int>(mi),
                                          static_cast<int>(s), static_cast<int>(f)}};
            }
            case SQL_BLOB: {
                ISC_QUAD id;
                std::memcpy(&id, data, sizeof id);
                return read_blob(attachment, transaction, id);
            }
            case SQL_BOOLEAN:
                return *data != 0;
            default:
                return std::monostate{};
        }
    }
};

Query::Query(std::string component_name, Database& database, Transaction& transaction)
    : Dataset(std::move(component_name)), database_(&database), transaction_(&transaction) {
    database_->attach_query(this);
}

Query::~Query() {
    close();
    if (database_) database_->detach_query(this);
}

std::string Query::sql_text() const {
    std::string text;
    for (const std::string& line : sql_lines_) text += line + "\r\n";
    return text;
}

void Query::set_sql(std::string_view text) {
    set_sql_lines(split_lines(text));
}

void Query::set_sql_lines(std::vector<std::string> lines) {
    close();
    sql_lines_ = std::move(lines);
}

void Query::clear_sql() {
    set_sql_lines({});
}

void Query::add_sql_line(std::string line) {
    close();
    sql_lines_.push_back(std::move(line));
}

void Query::declare_field(FieldDef def) {
    close();
    declared_.push_back(def);
    add_field(std::move(def));
}

void Query::open() {
    if (active_) return;
    const std::string text = sql_text();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) throw DatabaseError("Empty query");
    if (!database_ || !database_->connected()) fail("Database not connected");
    if (!transaction_->active()) transaction_->start();

    auto cursor = std::make_unique<Cursor>();
    Firebird::IAttachment* attachment = database_->attachment();
    Firebird::ITransaction* transaction = transaction_->handle();
    cursor->statement = fb::checked([&](auto* s) {
        return attachment->prepare(s, transaction, 0, text.c_str(), kDialect,
                                   Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    });
    cursor->metadata =
        fb::checked([&](auto* s) { return cursor->statement->getOutputMetadata(s); });
    const unsigned count = fb::checked([&](auto* s) { return cursor->metadata->getCount(s); });
    if (count == 0) fail("Cannot open a statement that returns no rows");
    for (unsigned i = 0; i < count; ++i) {
        Column c;
        fb::checked([&](auto* s) {
            Firebird::IMessageMetadata* m = cursor->metadata;
            c.alias = m->getAlias(s, i);
            c.type = m->getType(s, i) & ~1u;
            c.sub_type = m->getSubType(s, i);
            c.scale = m->getScale(s, i);
            c.length = m->getLength(s, i);
            c.offset = m->getOffset(s, i);
            c.null_offset = m->getNullOffset(s, i);
        });
        cursor->columns.push_back(std::move(c));
    }
    cursor->buffer.resize(
        fb::checked([&](auto* s) { return cursor->metadata->getMessageLength(s); }));

    // Bind fields to columns before fetching, so a missing field fails early.
    column_of_field_.clear();
    if (declared_.empty()) {
        clear_fields();
        for (std::size_t i = 0; i < cursor->columns.size(); ++i) {
            const Column& c = cursor->columns[i];
            FieldDef def;
            def.name = c.alias;
            def.type = natural_type(c);
            def.size = def.type == FieldType::Decimal ? -c.scale : static_cast<int>(c.length);
            def.fixed_char = c.type == SQL_TEXT;
            add_field(std::move(def));
            column_of_field_.push_back(static_cast<int>(i));
        }
    } else {
        for (std::size_t f = 0; f < field_count(); ++f) {
            const Field& fd = field(f);
            int found = -1;
            for (std::size_t i = 0; i < cursor->columns.size(); ++i) {
                if (ascii_iequals(cursor->columns[i].alias, fd.name())) {
                    found = static_cast<int>(i);
                    break;
                }
            }
            if (found < 0) {
                // A column older databases lack: the field stays null.
                if (fd.def().optional) {
                    column_of_field_.push_back(-1);
                    continue;
                }
                fail("Field '" + fd.name() + "' not found");
            }
            const FieldType actual = natural_type(cursor->columns[static_cast<std::size_t>(found)]);
            if (!fits(fd.type(), actual)) {
                fail("Type mismatch for field '" + fd.name() + "', expecting: " +
                     field_type_name(fd.type()) + " actual: " + field_type_name(actual));
            }
            column_of_field_.push_back(found);
        }
    }

    cursor_ = std::move(cursor);
    rows_.clear();
    position_ = 0;
    counted_.reset();
    reading_forward_ = unidirectional_;
    active_ = true;
    try {
        open_cursor();
    } catch (...) {
        close();
        throw;
    }
}

void Query::open_cursor() {
    Firebird::ITransaction* transaction = transaction_->handle();
    cursor_->result_set = fb::checked([&](auto* s) {
        return cursor_->statement->openCursor(s, transaction, nullptr, nullptr, cursor_->metadata,
                                              0);
    });
    position_ = 0;
    if (reading_forward_) {
        eof_ = !fetch_into_fields();
        empty_ = eof_;
        if (eof_) clear_values();
    } else {
        eof_ = !fetch_row();
        load_current();
    }
}

void Query::set_unidirectional(bool unidirectional) {
    unidirectional_ = unidirectional;
}

void Query::close() {
    cursor_.reset();
    rows_.clear();
    position_ = 0;
    active_ = false;
    eof_ = true;
    empty_ = true;
    counted_.reset();
    clear_values();
}

void Query::exec_sql() {
    close();
    const std::string text = sql_text();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) throw DatabaseError("Empty query");
    if (!database_ || !database_->connected()) fail("Database not connected");
    if (!transaction_->active()) transaction_->start();
    Firebird::IAttachment* attachment = database_->attachment();
    Firebird::ITransaction* transaction = transaction_->handle();
    fb::checked([&](auto* s) {
        attachment->execute(s, transaction, 0, text.c_str(), kDialect, nullptr, nullptr, nullptr,
                            nullptr);
    });
}

bool Query::fetch_next() {
    if (!cursor_ || !cursor_->result_set) return false;
    const int result = fb::checked(
        [&](auto* s) { return cursor_->result_set->fetchNext(s, cursor_->buffer.data()); });
    if (result != Firebird::IStatus::RESULT_OK) {
        cursor_->result_set->release();
        cursor_->result_set = nullptr;
        return false;
    }
    return true;
}

FieldValue Query::column_value(std::size_t field_index) const {
    if (column_of_field_[field_index] < 0) return {};
    const Column& c = cursor_->columns[static_cast<std::size_t>(column_of_field_[field_index])];
    return convert_to(field(field_index).type(),
                      cursor_->decode(c, database_->attachment(), transaction_->handle()));
}

bool Query::fetch_row() {
    if (!fetch_next()) return false;
    std::vector<FieldValue> row;
    row.reserve(column_of_field_.size());
    for (std::size_t f = 0; f < column_of_field_.size(); ++f) row.push_back(column_value(f));
    rows_.push_back(std::move(row));
    return true;
}

bool Query::fetch_into_fields() {
    if (!fetch_next()) return false;
    for (std::size_t f = 0; f < column_of_field_.size(); ++f) field(f).set_value(column_value(f));
    return true;
}

void Query::load_current() {
    if (eof_ || position_ >= rows_.size()) {
        clear_values();
        return;
    }
    for (std::size_t f = 0; f < field_count(); ++f) field(f).set_value(rows_[position_][f]);
}

void Query::first() {
    if (!active_) fail("Cannot perform this operation on a closed dataset");
    if (reading_forward_) {
        // Nothing was read past the first row: it is still in the fields.
        if (position_ == 0) return;
        if (cursor_->result_set) {
            cursor_->result_set->release();
            cursor_->result_set = nullptr;
        }
        open_cursor();
        return;
    }
    position_ = 0;
    eof_ = rows_.empty();
    load_current();
}

void Query::next() {
    if (!active_) fail("Cannot perform this operation on a closed dataset");
    if (eof_) return;
    if (reading_forward_) {
        // At end-of-data the fields keep the last row, as readers expect.
        if (fetch_into_fields()) {
            ++position_;
        } else {
            eof_ = true;
        }
        return;
    }
    if (position_ + 1 < rows_.size() || fetch_row()) {
        ++position_;
        load_current();
    } else {
        eof_ = true;
    }
}

bool Query::is_empty() const {
    if (!active_) return false;
    return reading_forward_ ? empty_ : rows_.empty();
}

std::size_t Query::record_count() {
    if (!active_) return 0;
    if (!reading_forward_) {
        while (fetch_row()) {
        }
        return rows_.size();
    }
    if (counted_) return *counted_;
    // A second run of the statement, fetched without reading any value: the
    // rows already read are gone.
    const std::string text = sql_text();
    Firebird::IAttachment* attachment = database_->attachment();
    Firebird::ITransaction* transaction = transaction_->handle();
    Cursor counter;
    counter.statement = fb::checked([&](auto* s) {
        return attachment->prepare(s, transaction, 0, text.c_str(), kDialect,
                                   Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    });
    counter.metadata =
        fb::checked([&](auto* s) { return counter.statement->getOutputMetadata(s); });
    counter.buffer.resize(
        fb::checked([&](auto* s) { return counter.metadata->getMessageLength(s); }));
    counter.result_set = fb::checked([&](auto* s) {
        return counter.statement->openCursor(s, transaction, nullptr, nullptr, counter.metadata, 0);
    });
    std::size_t count = 0;
    while (fb::checked([&](auto* s) {
               return counter.result_set->fetchNext(s, counter.buffer.data());
           }) == Firebird::IStatus::RESULT_OK) {
        ++count;
    }
    counted_ = count;
    return count;
}

}  // namespace tarvek
