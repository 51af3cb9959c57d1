#include "documents/output.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace tarvek {

std::string output_root() {
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env) {
        home = env;
    } else if (const passwd* pw = getpwuid(getuid())) {
        home = pw->pw_dir;
    }
    return home + "/driveKVL/tmpEmail";
}

std::string path_email(const std::string& pasta, const std::string& nome_arquivo) {
    namespace fs = std::filesystem;
    const fs::path root = output_root();
    std::error_code ignored;
    if (!fs::exists(root.parent_path(), ignored)) fs::create_directory(root.parent_path(), ignored);
    if (!fs::exists(root, ignored)) fs::create_directory(root, ignored);
    const fs::path folder = root / pasta;
    if (!fs::exists(folder, ignored)) fs::create_directory(folder, ignored);
    const fs::path full = folder / nome_arquivo;
    if (fs::exists(full, ignored)) fs::remove(full, ignored);
    return full.string();
}

}  // namespace tarvek
