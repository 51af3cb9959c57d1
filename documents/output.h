// Where the documents go, and how a document gets there whole.
//
// Documents live in $HOME/driveKVL/tmpEmail/<folder>/<file>, the three levels
// root, "tmpEmail" and folder. A document is written to a temporary file in
// its folder and renamed over its final name only when it is complete, so
// the final name never shows a half-written document. Runs that write one
// name are serialised by a lock on that name, held from the moment the old
// file is deleted until the new document's result row is committed: the row
// always names the complete document of its own run. Runs that write other
// names proceed at once. A document whose row is never committed (the
// database refused it, a termination signal came first) is removed.
#pragma once

#include <memory>
#include <string>

#include "base/termination.h"

namespace tarvek {

// The folder all documents go to, in the file system's encoding (UTF-8):
// $HOME/driveKVL/tmpEmail (the user's home from the password database when
// HOME is unset).
std::string output_root();

// Raises an error, before any work is done, when the output root cannot be
// recorded in the database: the result row holds the path in Windows-1252,
// and a path with other characters would name a file that does not exist.
void check_output_root();

// How long a run waits for another run writing the same document name: 300
// seconds, or the whole seconds TARVEK_LOCK_WAIT holds.
int name_lock_wait_seconds();

// An exclusive lock on one document name of an output folder: a byte-range
// lock, at an offset the name hashes to, on the folder's lock file
// ".tarvek-locks" (created when missing). Released when the object goes or
// the process ends. Movable, not copyable.
class NameLock {
  public:
    NameLock() = default;
    // Waits up to `wait_seconds` while another run holds the name, then
    // raises an error saying that another run is writing the document.
    NameLock(const std::string& folder, const std::string& name, int wait_seconds);
    ~NameLock();
    NameLock(NameLock&& other) noexcept;
    NameLock& operator=(NameLock&& other) noexcept;
    NameLock(const NameLock&) = delete;
    NameLock& operator=(const NameLock&) = delete;

    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// A complete document under its final name whose result row is not yet
// committed. It holds its name's lock and removes the document when it goes
// unrecorded, or when a termination signal ends the process first: the ERP
// learns of a document only through its row. Movable.
class PendingDocument {
  public:
    PendingDocument() = default;
    ~PendingDocument();
    PendingDocument(PendingDocument&& other) noexcept;
    PendingDocument& operator=(PendingDocument&&) = delete;
    PendingDocument(const PendingDocument&) = delete;
    PendingDocument& operator=(const PendingDocument&) = delete;

    bool empty() const { return path_.empty(); }
    // The document's path, UTF-8.
    const std::string& path() const { return path_; }
    // The result row is committed: the document stays, and its name is free
    // for the next run once this object goes.
    void recorded();

  private:
    friend class OutputFile;
    PendingDocument(NameLock lock, std::string path, std::unique_ptr<RemoveOnSignal> on_signal);

    NameLock lock_;  // released after the document is removed
    std::string path_;
    std::unique_ptr<RemoveOnSignal> remove_on_signal_;
    bool kept_ = false;
};

// One document on its way to its final name.
class OutputFile {
  public:
    // Removes the temporary file unless the document was committed.
    ~OutputFile();
    OutputFile(OutputFile&&) = delete;
    OutputFile(const OutputFile&) = delete;

    // The file to write the document to (ends like the final name).
    const std::string& temporary_path() const { return temporary_; }
    // The document's final path, UTF-8.
    const std::string& final_path() const { return final_; }

    // Makes the written temporary file durable and renames it over the final
    // name; the document is pending until its result row is committed. Raises
    // an error (the temporary file is then removed) when the file cannot be
    // synchronised or renamed.
    PendingDocument commit();

  private:
    friend OutputFile path_email(const std::string& pasta, const std::string& nome_arquivo);
    OutputFile(NameLock lock, std::string folder, std::string final_path,
               std::string temporary_path, std::unique_ptr<RemoveOnSignal> on_signal);

    NameLock lock_;
    std::string folder_;
    std::string final_;
    std::string temporary_;
    bool committed_ = false;
    std::unique_ptr<RemoveOnSignal> remove_on_signal_;
};

// Prepares the output for a new document: creates the output folders as
// needed, locks the name `nome_arquivo` in the folder `pasta` (waiting at
// most name_lock_wait_seconds() for another run writing it), deletes the old
// file of that name and the temporary files killed runs left for it, and
// creates a fresh temporary file. Names are Windows-1252 texts; a name that
// is not a plain file name ("..", one with a "/") is refused. Failures to
// create the folders or to delete the old file show when the temporary file
// cannot be created.
OutputFile path_email(const std::string& pasta, const std::string& nome_arquivo);

}  // namespace tarvek
