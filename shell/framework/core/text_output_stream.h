#pragma once
// Writing text (UTF-8) to the end of a file, or a new text in the place of the old one.

#include "shell/framework/core/file_replacement.h"
#include "shell/framework/core/object.h"

#include <memory>
#include <string>

class FileLock;
class FolderItem;

class TextOutputStream : public Object {
  public:
    // Opens the file for writing at its end, creating it when missing; raises
    // NilObjectException for nil and IOException on failure.
    static std::shared_ptr<TextOutputStream> Append(const std::shared_ptr<FolderItem>& file);
    // Writes a new text for the file, which takes the old text's place when the stream is
    // closed: at every instant the file holds the whole old or the whole new text. A link
    // is followed and stays; the permissions stay. A failed write or close leaves the old
    // text. In a folder that takes no new file the text is written over the old one in
    // place (file_replacement.h says what that risks). The caller holds the file's lock
    // until the stream is closed. Raises as Append does.
    static std::shared_ptr<TextOutputStream> Replace(const std::shared_ptr<FolderItem>& file,
                                                     const FileLock& held);
    ~TextOutputStream() override;
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    // Writes every byte of the text, with no line end; raises IOException.
    void Write(const std::string& text);
    // Closing twice is harmless; the destructor closes a stream still open. Closing a
    // replacing stream puts its text in place and raises IOException when it cannot;
    // its destructor only discards.
    void Close();

  private:
    explicit TextOutputStream(std::string native_path) : native_path_(std::move(native_path)) {}
    int fd_ = -1;
    std::string native_path_;
    FileReplacement replacement_; // in use while Pending()
};
