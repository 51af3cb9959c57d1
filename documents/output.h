// Where the documents go, and how a document gets there whole.
//
// Documents live in $HOME/driveKVL/tmpEmail/<folder>/<file>, the three levels
// root, "tmpEmail" and folder. A document is written to a temporary file in
// its folder and renamed over its final name only when it is complete, so
// the final name never shows a half-written document. Runs that write into
// one folder are serialised by an advisory lock on it, held from the moment
// the old file is deleted until the new document's result row is committed:
// the row always names the complete document of its own run.
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

// An exclusive advisory lock on an output folder; released when the object
// goes (or the process ends). Movable, not copyable.
class FolderLock {
  public:
    FolderLock() = default;
    // Waits until no other run holds the folder.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
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
    // name; returns the folder's lock, to be held until the result row is
    // committed. Raises an error (the temporary file is then removed) when
    // the file cannot be synchronised or renamed.
    FolderLock commit();

  private:
    friend OutputFile path_email(const std::string& pasta, const std::string& nome_arquivo);
    OutputFile(FolderLock lock, std::string folder, std::string final_path,
               std::string temporary_path);

    FolderLock lock_;
    std::string folder_;
    std::string final_;
    std::string temporary_;
    bool committed_ = false;
    std::unique_ptr<RemoveOnSignal> remove_on_signal_;
};

// Prepares the output for a new document: creates the output folders as
// needed, locks the folder `pasta`, deletes the old file `nome_arquivo` and
// any temporary file a killed run left there, and creates a fresh temporary
// file. Names are Windows-1252 texts; a name that is not a plain file name
// ("..", one with a "/") is refused. Failures to create the folders or to
// delete the old file show when the temporary file cannot be created.
OutputFile path_email(const std::string& pasta, const std::string& nome_arquivo);

}  // namespace tarvek
