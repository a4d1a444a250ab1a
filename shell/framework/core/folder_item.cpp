// Every FolderItem operation but OpenAsSound (sound.cpp).
#include "shell/framework/core/folder_item.h"

#include "shell/framework/core/binary_stream.h"
#include "shell/framework/core/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FolderItem::FolderItem(std::string native_path) : native_path_(std::move(native_path)) {}

std::shared_ptr<FolderItem> FolderItem::Child(const std::string& name) const {
    if (native_path_.empty() || native_path_.back() == '/')
        return std::make_shared<FolderItem>(native_path_ + name);
    return std::make_shared<FolderItem>(native_path_ + "/" + name);
}

std::shared_ptr<FolderItem> FolderItem::Parent() const {
    std::string path = native_path_;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::size_t slash = path.rfind('/');
    // Nothing is above the root, nor above the first name of a relative path.
    if (slash == std::string::npos || path == "/") return nullptr;
    path.resize(slash);
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return std::make_shared<FolderItem>(path.empty() ? "/" : path);
}

bool FolderItem::Exists() const {
    struct stat info;
    return ::stat(native_path_.c_str(), &info) == 0;
}

void FolderItem::Delete() const {
    if (::unlink(native_path_.c_str()) != 0) ::rmdir(native_path_.c_str());
}

std::shared_ptr<BinaryStream> FolderItem::OpenAsBinaryFile(bool read_write) const {
    const int fd = OpenOrThrow(native_path_, read_write ? O_RDWR : O_RDONLY, "cannot open");
    return std::make_shared<BinaryStream>(fd, native_path_);
}
