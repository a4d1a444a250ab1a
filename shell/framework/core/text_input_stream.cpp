#include "shell/framework/core/text_input_stream.h"

#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/posix_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::shared_ptr<TextInputStream> TextInputStream::Open(const std::shared_ptr<FolderItem>& file) {
    std::shared_ptr<TextInputStream> stream(new TextInputStream(NotNil(file).NativePath()));
    stream->fd_ = OpenOrThrow(stream->native_path_, O_RDONLY, "cannot open for reading");
    return stream;
}

TextInputStream::~TextInputStream() {
    Close();
}

std::string TextInputStream::ReadAll() {
    ThrowIfClosed(fd_, "cannot read", native_path_);
    std::string text;
    struct stat info;
    if (::fstat(fd_, &info) == 0 && info.st_size > 0)
        text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd_, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) ThrowIOException("cannot read", native_path_);
        if (count == 0) return text;
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

void TextInputStream::Close() {
    CloseQuietly(fd_);
}
