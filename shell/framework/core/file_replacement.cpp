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

// The folder's entry for the rename reaches the disk too; where a file system cannot
// flush a folder the text is still in place, so a failure here is not reported.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    CloseQuietly(fd);
}
} // namespace

int BeginReplacement(const std::string& path, FileReplacement& replacement) {
    int check = OpenOrThrow(path, O_WRONLY | O_CREAT, "cannot open for writing");
    struct stat info;
    const bool known = ::fstat(check, &info) == 0;
    CloseQuietly(check);
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!known || !resolved) ThrowIOException("cannot open for writing", path);

    replacement.target = resolved.get();
    const std::size_t slash = replacement.target.rfind('/');
    std::string name =
        FolderOf(replacement.target) + "/." + replacement.target.substr(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) ThrowIOException("cannot create a file beside", path);
    replacement.temporary = name;
    if (::fchmod(fd, info.st_mode & 07777) != 0) {
        int open_fd = fd;
        DiscardReplacement(open_fd, replacement);
        ThrowIOException("cannot set the permissions of a file beside", path);
    }
    if (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) {
        // Only a privileged process can give a file away; otherwise the new file is ours.
        [[maybe_unused]] const int given = ::fchown(fd, info.st_uid, info.st_gid);
    }
    return fd;
}

void CommitReplacement(int& fd, FileReplacement& replacement, const std::string& path) {
    ThrowIfClosed(fd, "cannot write to", path);
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
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
    errno = error;
}
