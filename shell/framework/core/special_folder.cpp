#include "shell/framework/core/special_folder.h"

#include "shell/framework/core/folder_item.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {
// The home folder from the user database; empty when the user has no entry.
std::string PasswdHome() {
    std::vector<char> buffer(16384);
    passwd entry{}, *found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir || !*found->pw_dir)
        return "";
    return found->pw_dir;
}

std::string DocumentsPath() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    // Without HOME, Qt would answer "/Documents"; the user database knows better.
    const std::string passwd_home = PasswdHome();
    return passwd_home.empty() ? "" : passwd_home + "/Documents";
}
} // namespace

std::shared_ptr<FolderItem> SpecialFolder::Documents() {
    const std::string path = DocumentsPath();
    if (path.empty() || !QDir().mkpath(QString::fromStdString(path))) return nullptr;
    return std::make_shared<FolderItem>(path);
}
