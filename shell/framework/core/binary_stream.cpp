#include "shell/framework/core/binary_stream.h"

#include "shell/framework/core/posix_file.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

BinaryStream::~BinaryStream() {
    Close();
}

int64_t BinaryStream::Length() const {
    ThrowIfClosed(fd_, "cannot read the length of", native_path_);
    struct stat info;
    if (::fstat(fd_, &info) != 0) ThrowIOException("cannot read the length of", native_path_);
    return info.st_size;
}

void BinaryStream::SetLength(int64_t length) {
    ThrowIfClosed(fd_, "cannot set the length of", native_path_);
    int result;
    do {
        result = ::ftruncate(fd_, length);
    } while (result != 0 && errno == EINTR);
    if (result != 0) ThrowIOException("cannot set the length of", native_path_);
}

void BinaryStream::Close() {
    CloseQuietly(fd_);
}
