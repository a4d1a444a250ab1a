#include "shell/framework/core/file_replacement.h"

#include "shell/framework/core/posix_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
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
