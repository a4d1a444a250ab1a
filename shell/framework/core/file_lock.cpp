#include "shell/framework/core/file_lock.h"

#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/posix_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

std::shared_ptr<FileLock> FileLock::Acquire(const std::shared_ptr<FolderItem>& file) {
    const std::string& path = NotNil(file).NativePath();
    for (;;) {
        int fd = OpenOrThrow(path, O_RDONLY | O_CREAT, "cannot open for locking");
        int result;
        do {
            result = ::flock(fd, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            const int error = errno;
            CloseQuietly(fd);
            errno = error;
            ThrowIOException("cannot lock", path);
        }
        // A rewrite puts a new file in the old one's place. Whoever waited on the old one
        // holds a lock nobody else takes any more: it must lock the file that is there now.
        struct stat locked, current;
        if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &current) == 0 &&
            locked.st_dev == current.st_dev && locked.st_ino == current.st_ino)
            return std::shared_ptr<FileLock>(new FileLock(fd));
        CloseQuietly(fd);
    }
}

FileLock::~FileLock() {
    Release();
}

void FileLock::Release() {
    CloseQuietly(fd_); // closing the last descriptor releases the lock
}
