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

std::shared_ptr<TextOutputStream>
TextOutputStream::Replace(const std::shared_ptr<FolderItem>& file) {
    std::shared_ptr<TextOutputStream> stream(new TextOutputStream(NotNil(file).NativePath()));
    stream->fd_ = BeginReplacement(stream->native_path_, stream->replacement_);
    return stream;
}

TextOutputStream::~TextOutputStream() {
    // Closes a stream still open; a new text that was never closed is dropped, never put
    // in place (an error came between).
    DiscardReplacement(fd_, replacement_);
}

void TextOutputStream::Write(const std::string& text) {
    ThrowIfClosed(fd_, "cannot write to", native_path_);
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = ::write(fd_, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO; // no progress: never spin
        if (written <= 0) {
            // A cut-short new text never takes the old one's place, nor stays on disk.
            if (!replacement_.temporary.empty()) DiscardReplacement(fd_, replacement_);
            ThrowIOException("cannot write to", native_path_);
        }
        done += static_cast<std::size_t>(written);
    }
}

void TextOutputStream::Close() {
    if (replacement_.temporary.empty())
        CloseQuietly(fd_);
    else
        CommitReplacement(fd_, replacement_, native_path_);
}
