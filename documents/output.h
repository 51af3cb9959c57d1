// Where the documents go: $HOME/driveKVL/tmpEmail/<folder>/<file>, the
// three levels root, "tmpEmail" and folder.
#pragma once

#include <string>

namespace tarvek {

// The folder all documents go to: $HOME/driveKVL/tmpEmail (the user's home
// from the password database when HOME is unset).
std::string output_root();

// Creates the output folders as needed, deletes an old file of that name and
// returns the full path for a new document. Failures to create or delete are
// not reported here: writing the document then fails with its own message.
std::string path_email(const std::string& pasta, const std::string& nome_arquivo);

}  // namespace tarvek
