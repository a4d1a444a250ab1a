#include "shell/framework/core/text_output_stream.h"

#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/posix_file.h"

#include <fcntl.h>
#include <unistd.h>

std::shared_ptr<TextOutputStream>
TextOutputStream::Append(const std::shared_ptr<FolderItem>& file) {
    std::shared_ptr<TextOutputStream> stream(new TextOutputStream(NotNil(file).NativePath()));
    stream->fd_ = OpenOrThrow(stream->native_path_, O_WRONLY | O_APPEND | O_CREAT,
                              "cannot open for appending");
    return stream;
}

std::shared_ptr<TextOutputStream> TextOutputStream::Replace(const std::shared_ptr<FolderItem>& file,
                                                            const FileLock& /*held*/) {
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
    if (replacement_.Pending()) return WriteReplacement(fd_, replacement_, text, native_path_);
    ThrowIfClosed(fd_, "cannot write to", native_path_);
    if (!WriteAll(fd_, text)) ThrowIOException("cannot write to", native_path_);
}

void TextOutputStream::Close() {
    if (replacement_.Pending())
        CommitReplacement(fd_, replacement_, native_path_);
    else
        CloseQuietly(fd_);
}
