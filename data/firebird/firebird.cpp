#include "data/firebird/firebird.h"

#include <ibase.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/string_helpers.h"
#include "data/firebird/firebird_client.h"
#include "data/firebird/query.h"

namespace tarvek {

namespace fb {

Firebird::IMaster* master() {
    static Firebird::IMaster* instance = Firebird::fb_get_master_interface();
    return instance;
}

Firebird::IUtil* util() {
    return master()->getUtilInterface();
}

namespace {

// Stops the client's and the embedded engine's threads and flushes open
// databases before the process goes, instead of leaving it to the exit.
void shutdown_client() {
    Firebird::CheckStatusWrapper status(master()->getStatus());
    provider()->shutdown(&status, 0, fb_shutrsn_app_stopped);
    status.dispose();
}

}  // namespace

Firebird::IProvider* provider() {
    static Firebird::IProvider* instance = [] {
        Firebird::IProvider* p = master()->getDispatcher();
        std::atexit(shutdown_client);
        return p;
    }();
    return instance;
}

std::string status_text(const Firebird::IStatus* status) {
    // The library fills the buffer to its end without a terminator when the
    // text is longer: the text is bounded here, whatever it holds.
    std::vector<char> buffer(16384, '\0');
    util()->formatStatus(buffer.data(), static_cast<unsigned>(buffer.size() - 1),
                         const_cast<Firebird::IStatus*>(status));
    buffer.back() = '\0';
    std::string text(buffer.data(), ::strnlen(buffer.data(), buffer.size() - 1));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

void raise(const Firebird::IStatus* status) {
    const ISC_STATUS* errors = const_cast<Firebird::IStatus*>(status)->getErrors();
    const long gds = errors && errors[0] == isc_arg_gds ? static_cast<long>(errors[1]) : 0;
    const long sql = errors ? static_cast<long>(isc_sqlcode(errors)) : 0;
    throw FirebirdError(status_text(status), sql, gds);
}

}  // namespace fb

namespace {

struct XpbBuilder {
    Firebird::IXpbBuilder* builder;
    explicit XpbBuilder(unsigned kind)
        : builder(fb::checked(
              [&](auto* s) { return fb::util()->getXpbBuilder(s, kind, nullptr, 0); })) {}
    ~XpbBuilder() { builder->dispose(); }
    XpbBuilder(const XpbBuilder&) = delete;
    XpbBuilder& operator=(const XpbBuilder&) = delete;

    void tag(unsigned char t) {
        fb::checked([&](auto* s) { builder->insertTag(s, t); });
    }
    void string(unsigned char t, const std::string& value) {
        fb::checked([&](auto* s) { builder->insertString(s, t, value.c_str()); });
    }
    void integer(unsigned char t, int value) {
        fb::checked([&](auto* s) { builder->insertInt(s, t, value); });
    }
    unsigned length() {
        return fb::checked([&](auto* s) { return builder->getBufferLength(s); });
    }
    const unsigned char* buffer() {
        return fb::checked([&](auto* s) { return builder->getBuffer(s); });
    }
};

void fill_dpb(XpbBuilder& dpb, const std::vector<std::string>& params) {
    for (const std::string& line : params) {
        const auto eq = line.find('=');
        const std::string name = ascii_lower(line.substr(0, eq));
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (name == "user_name") {
            dpb.string(isc_dpb_user_name, value);
        } else if (name == "password") {
            dpb.string(isc_dpb_password, value);
        } else if (name == "lc_ctype") {
            dpb.string(isc_dpb_lc_ctype, value);
        } else if (name == "sql_role_name") {
            dpb.string(isc_dpb_sql_role_name, value);
        } else if (!name.empty()) {
            throw DatabaseError("Unknown database parameter: " + line);
        }
    }
}

// Whether Firebird opens `name` in this process (a file path, no host).
bool opens_embedded(const std::string& name) {
    const auto colon = name.find(':');
    return colon == std::string::npos || name.find('/') < colon;
}

// Pages cached by an embedded attachment. The jobs read their rows once,
// forward: the engine's default cache (16 MB) would only hold pages never
// read again, in the memory of a process that may write 100,000 pages.
constexpr int kEmbeddedCachePages = 256;

}  // namespace

Database::Database(std::string component_name) : component_name_(std::move(component_name)) {}

Database::~Database() {
    try {
        disconnect();
    } catch (...) {
        // A destructor cannot report; the connection is dropped either way.
    }
    for (Query* q : queries_) q->database_ = nullptr;
}

void Database::connect() {
    if (connected()) return;
    XpbBuilder dpb(Firebird::IXpbBuilder::DPB);
    fill_dpb(dpb, params_);
    if (opens_embedded(database_name_)) {
        dpb.string(isc_dpb_config, "DefaultDbCachePages = " + std::to_string(kEmbeddedCachePages));
    }
    attachment_ = fb::checked([&](auto* s) {
        return fb::provider()->attachDatabase(s, database_name_.c_str(), dpb.length(),
                                              dpb.buffer());
    });
}

void Database::disconnect() {
    if (!connected()) return;
    close_datasets();
    for (Transaction* t : transactions_) {
        if (t->active()) t->end_with_default_action();
    }
    Firebird::IAttachment* attachment = attachment_;
    attachment_ = nullptr;
    try {
        fb::checked([&](auto* s) { attachment->detach(s); });
    } catch (...) {
        // The handle is gone for us whatever the server answered.
        attachment->release();
        throw;
    }
}

void Database::forget_attachment() {
    close_datasets();
    for (Transaction* t : transactions_) t->forget();
    attachment_ = nullptr;
}

void Database::close_datasets() {
    // Closing may not deregister, but copy anyway: a query's close is ours.
    const std::vector<Query*> bound = queries_;
    for (Query* q : bound) q->close();
}

void Database::create(const std::string& name, const std::vector<std::string>& params,
                      const std::string& default_charset, int page_size) {
    XpbBuilder dpb(Firebird::IXpbBuilder::DPB);
    fill_dpb(dpb, params);
    dpb.integer(isc_dpb_sql_dialect, 3);
    dpb.integer(isc_dpb_page_size, page_size);
    if (!default_charset.empty()) dpb.string(isc_dpb_set_db_charset, default_charset);
    Firebird::IAttachment* attachment = fb::checked([&](auto* s) {
        return fb::provider()->createDatabase(s, name.c_str(), dpb.length(), dpb.buffer());
    });
    fb::checked([&](auto* s) { attachment->detach(s); });
}

void Database::attach_query(Query* query) {
    queries_.push_back(query);
}

void Database::detach_query(Query* query) {
    std::erase(queries_, query);
}

void Database::attach_transaction(Transaction* transaction) {
    transactions_.push_back(transaction);
}

void Database::detach_transaction(Transaction* transaction) {
    std::erase(transactions_, transaction);
}

Transaction::Transaction(std::string component_name, Database& database,
                         std::vector<std::string> params, TransactionEndAction default_action)
    : component_name_(std::move(component_name)),
      database_(&database),
      params_(std::move(params)),
      default_action_(default_action) {
    database_->attach_transaction(this);
}

Transaction::~Transaction() {
    try {
        if (active()) rollback();
    } catch (...) {
        // Nothing to report from a destructor; the server ends it with the connection.
    }
    database_->detach_transaction(this);
}

void Transaction::start() {
    if (active()) throw DatabaseError(component_name_ + ": Transaction is active");
    if (!database_->connected()) throw DatabaseError(component_name_ + ": Database not connected");
    XpbBuilder tpb(Firebird::IXpbBuilder::TPB);
    bool access_given = false;
    for (const std::string& raw : params_) {
        const std::string p = ascii_lower(raw);
        if (p == "read_committed") {
            tpb.tag(isc_tpb_read_committed);
        } else if (p == "rec_version") {
            tpb.tag(isc_tpb_rec_version);
        } else if (p == "no_rec_version") {
            tpb.tag(isc_tpb_no_rec_version);
        } else if (p == "nowait") {
            tpb.tag(isc_tpb_nowait);
        } else if (p == "wait") {
            tpb.tag(isc_tpb_wait);
        } else if (p == "concurrency") {
            tpb.tag(isc_tpb_concurrency);
        } else if (p == "consistency") {
            tpb.tag(isc_tpb_consistency);
        } else if (p == "read") {
            tpb.tag(isc_tpb_read);
            access_given = true;
        } else if (p == "write") {
            tpb.tag(isc_tpb_write);
            access_given = true;
        } else if (!p.empty()) {
            throw DatabaseError(component_name_ + ": Unknown transaction parameter: " + raw);
        }
    }
    if (!access_given) tpb.tag(isc_tpb_write);
    transaction_ = fb::checked([&](auto* s) {
        return database_->attachment()->startTransaction(s, tpb.length(), tpb.buffer());
    });
}

void Transaction::commit() {
    if (!active()) throw DatabaseError(component_name_ + ": Transaction is not active");
    database_->close_datasets();
    fb::checked([&](auto* s) { transaction_->commit(s); });
    transaction_ = nullptr;
}

void Transaction::commit_retaining() {
    if (!active()) throw DatabaseError(component_name_ + ": Transaction is not active");
    fb::checked([&](auto* s) { transaction_->commitRetaining(s); });
}

void Transaction::rollback() {
    if (!active()) throw DatabaseError(component_name_ + ": Transaction is not active");
    database_->close_datasets();
    Firebird::ITransaction* t = transaction_;
    transaction_ = nullptr;
    fb::checked([&](auto* s) { t->rollback(s); });
}

void Transaction::forget() {
    if (transaction_) transaction_->release();
    transaction_ = nullptr;
}

void Transaction::end_with_default_action() {
    if (!active()) return;
    switch (default_action_) {
        case TransactionEndAction::Commit:
        case TransactionEndAction::CommitRetaining:
            commit();
            break;
        case TransactionEndAction::Rollback:
        case TransactionEndAction::RollbackRetaining:
            rollback();
            break;
    }
}

}  // namespace tarvek
