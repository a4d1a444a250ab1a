#include "shell/framework/core/file_replacement.h"

#include "shell/framework/core/posix_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

// "/a/name" gives "/a/.name.": mkostemp's six letters and digits follow.
std::string TemporaryPrefix(const std::string& target) {
    return FolderOf(target) + "/." + target.substr(target.rfind('/') + 1) + ".";
}

// The folder's entry for the rename reaches the disk too; where a file system cannot
// flush a folder the text is still in place, so a failure here is not reported.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    CloseQuietly(fd);
}

bool SyncFile(int fd) {
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// The name's prefix and mkostemp's six letters and digits, nothing else.
bool IsLeftoverName(std::string_view name, std::string_view prefix) {
    const auto letter_or_digit = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    return name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
           std::all_of(name.end() - 6, name.end(), letter_or_digit);
}

// Under the file's lock no other writer of this file is making a new text: a writer makes
// its temporary file only while it holds that lock, and locks the temporary file itself
// while writing it (which covers a writer still holding the lock of a file deleted and
// made anew meanwhile). A temporary file nobody has locked is therefore a dead writer's,
// killed between creating and renaming it, and goes.
void RemoveLeftovers(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = TemporaryPrefix(target).substr(folder.size() + 1);
    DIR* entries = ::opendir(folder.c_str());
    if (!entries) return;
    const int folder_fd = ::dirfd(entries);
    while (const dirent* entry = ::readdir(entries)) {
        if (!IsLeftoverName(entry->d_name, prefix)) continue;
        int fd = ::openat(folder_fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue; // gone meanwhile, or a link
        struct stat opened, named;
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(folder_fd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlinkat(folder_fd, entry->d_name, 0);
        CloseQuietly(fd);
    }
    ::closedir(entries);
}

void CommitInPlace(int& fd, FileReplacement& replacement, const std::string& path) {
    const std::string& text = replacement.text;
    const auto size = static_cast<off_t>(text.size());
    // Room for the whole text first, before a byte of the old one changes.
    const int reserved = size > 0 ? ::posix_fallocate(fd, 0, size) : 0;
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
        errno = reserved;
        DiscardReplacement(fd, replacement);
        ThrowIOException("cannot write to", path);
    }
    if (::lseek(fd, 0, SEEK_SET) != 0 || !WriteAll(fd, text) || ::ftruncate(fd, size) != 0 ||
        !SyncFile(fd)) {
        DiscardReplacement(fd, replacement);
        ThrowIOException("cannot write to", path);
    }
    replacement.in_place = false;
    replacement.text.clear();
    const int closing = fd;
    fd = -1;
    if (::close(closing) != 0) ThrowIOException("cannot write to", path);
}
} // namespace

int BeginReplacement(const std::string& path, FileReplacement& replacement) {
    int fd = OpenOrThrow(path, O_WRONLY | O_CREAT, "cannot open for writing");
    struct stat info;
    const bool known = ::fstat(fd, &info) == 0;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!known || !resolved) {
        DiscardReplacement(fd, replacement);
        ThrowIOException("cannot open for writing", path);
    }
    replacement.target = resolved.get();
    RemoveLeftovers(replacement.target);

    std::string name = TemporaryPrefix(replacement.target) + "XXXXXX";
    const int temporary = ::mkostemp(name.data(), O_CLOEXEC);
    if (temporary < 0) {
        // The folder takes no new file; the file itself is open for writing.
        replacement.in_place = true;
        return fd;
    }
    CloseQuietly(fd);
    fd = temporary;
    replacement.temporary = name;
    ::flock(fd, LOCK_EX | LOCK_NB); // a running writer's: RemoveLeftovers leaves it
    if (::fchmod(fd, info.st_mode & 07777) != 0) {
        DiscardReplacement(fd, replacement);
        ThrowIOException("cannot set the permissions of a file beside", path);
    }
    if (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) {
        // Only a privileged process can give a file away; otherwise the new file is ours.
        [[maybe_unused]] const int given = ::fchown(fd, info.st_uid, info.st_gid);
    }
    return fd;
}

void WriteReplacement(int& fd, FileReplacement& replacement, const std::string& text,
                      const std::string& path) {
    ThrowIfClosed(fd, "cannot write to", path);
    if (replacement.in_place) {
        replacement.text += text;
        return;
    }
    if (!WriteAll(fd, text)) {
        // A cut-short new text never takes the old one's place, nor stays on disk.
        DiscardReplacement(fd, replacement);
        ThrowIOException("cannot write to", path);
    }
}

void CommitReplacement(int& fd, FileReplacement& replacement, const std::string& path) {
    ThrowIfClosed(fd, "cannot write to", path);
    if (replacement.in_place) return CommitInPlace(fd, replacement, path);
    if (!SyncFile(fd)) {
        DiscardReplacement(fd, replacement);
        ThrowIOException("cannot write to", path);
    }
    const int closing = fd;
    fd = -1;
    if (::close(closing) != 0 ||
        ::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0) {
        DiscardReplacement(fd, replacement);
        ThrowIOException("cannot replace", path);
    }
    replacement.temporary.clear();
    SyncFolder(FolderOf(replacement.target));
}

void DiscardReplacement(int& fd, FileReplacement& replacement) {
    const int error = errno;
    CloseQuietly(fd);
    if (!replacement.temporary.empty()) ::unlink(replacement.temporary.c_str());
    replacement.temporary.clear();
    replacement.in_place = false;
    replacement.text.clear();
    errno = error;
}
