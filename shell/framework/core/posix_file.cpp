#include "shell/framework/core/posix_file.h"

#include "shell/framework/core/exceptions.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

void ThrowIOException(const std::string& action, const std::string& path) {
    const int error = errno;
    throw IOException(error,
                      action + " \"" + path + "\": " + std::generic_category().message(error));
}

int OpenOrThrow(const std::string& path, int flags, const std::string& action) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) ThrowIOException(action, path);
    return fd;
}

void CloseQuietly(int& fd) {
    if (fd < 0) return;
    ::close(fd); // Linux releases the descriptor even when close fails: never retry
    fd = -1;
}

void ThrowIfClosed(int fd, const std::string& action, const std::string& path) {
    if (fd >= 0) return;
    errno = EBADF;
    ThrowIOException(action, path);
}

bool WriteAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO; // no progress: never spin
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}
