// Connections and transactions over the Firebird client library.
//
// A database name without a host ("/path/db.fdb") opens the file in embedded
// mode; "host:path" (or "host/port:path") goes through a server. Errors of the
// client library are raised as FirebirdError with the library's own wording.
//
// Ownership: a Database owns its attachment; a Transaction owns its
// transaction handle and belongs to one Database, which must outlive it.
// Queries register with their Database so that connecting and disconnecting
// can close them; they must not outlive it either.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
}  // namespace Firebird

namespace tarvek {

class Query;
class Transaction;

// What happens to a transaction that is still active when its connection is
// closed without an explicit commit or rollback.
enum class TransactionEndAction { Commit, CommitRetaining, Rollback, RollbackRetaining };

class Database {
  public:
    explicit Database(std::string component_name);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& component_name() const { return component_name_; }

    const std::string& database_name() const { return database_name_; }
    void set_database_name(std::string name) { database_name_ = std::move(name); }

    // Connection parameters, one "name=value" per line: user_name, password,
    // lc_ctype, sql_role_name.
    const std::vector<std::string>& params() const { return params_; }
    void set_params(std::vector<std::string> params) { params_ = std::move(params); }

    // Attaches; a no-op when already connected.
    void connect();
    // Closes the bound queries, ends active transactions with their default
    // action and detaches. Nothing happens when not connected.
    void disconnect();
    bool connected() const { return attachment_ != nullptr; }

    // Closes every query bound to this database.
    void close_datasets();

    // Creates a new database file (used by the test-database builder).
    static void create(const std::string& name, const std::vector<std::string>& params,
                       const std::string& default_charset, int page_size = 8192);

    Firebird::IAttachment* attachment() const { return attachment_; }
    // Forgets an attachment that ended by other means (a dropped database).
    void forget_attachment();

  private:
    friend class Query;
    friend class Transaction;
    void attach_query(Query* query);
    void detach_query(Query* query);
    void attach_transaction(Transaction* transaction);
    void detach_transaction(Transaction* transaction);

    std::string component_name_;
    std::string database_name_;
    std::vector<std::string> params_;
    Firebird::IAttachment* attachment_ = nullptr;
    std::vector<Query*> queries_;
    std::vector<Transaction*> transactions_;
};

class Transaction {
  public:
    // Parameters, one per line: read_committed, rec_version, nowait, wait,
    // concurrency, consistency, read, write.
    Transaction(std::string component_name, Database& database, std::vector<std::string> params,
                TransactionEndAction default_action);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    const std::string& component_name() const { return component_name_; }
    Database& database() const { return *database_; }

    void start();
    void commit();
    // Makes the work permanent and keeps the transaction open.
    void commit_retaining();
    void rollback();
    bool active() const { return transaction_ != nullptr; }

    // Ends an active transaction with its default action (the connection is
    // about to close).
    void end_with_default_action();

    Firebird::ITransaction* handle() const { return transaction_; }
    // Drops the handle of a transaction whose connection is gone.
    void forget();

  private:
    std::string component_name_;
    Database* database_;
    std::vector<std::string> params_;
    TransactionEndAction default_action_;
    Firebird::ITransaction* transaction_ = nullptr;
};

}  // namespace tarvek
