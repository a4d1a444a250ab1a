#include "shell/framework/core/text_output_stream.h"

#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/posix_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

std::shared_ptr<TextOutputStream>
TextOutputStream::Append(const std::shared_ptr<FolderItem>& file) {
    std::shared_ptr<TextOutputStream> stream(new TextOutputStream(NotNil(file).NativePath()));
    stream->fd_ = OpenOrThrow(stream->native_path_, O_WRONLY | O_APPEND | O_CREAT,
                              "cannot open for appending");
    return stream;
}

TextOutputStream::~TextOutputStream() {
    Close();
}

void TextOutputStream::Write(const std::string& text) {
    ThrowIfClosed(fd_, "cannot write to", native_path_);
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = ::write(fd_, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO; // no progress: never spin
        if (written <= 0) ThrowIOException("cannot write to", native_path_);
        done += static_cast<std::size_t>(written);
    }
}

void TextOutputStream::Close() {
    CloseQuietly(fd_);
}
