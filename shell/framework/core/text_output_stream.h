#pragma once
// Writing text (UTF-8) to the end of a file.

#include "shell/framework/core/object.h"

#include <memory>
#include <string>

class FolderItem;

class TextOutputStream : public Object {
  public:
    // Opens the file for writing at its end, creating it when missing; raises
    // NilObjectException for nil and IOException on failure.
    static std::shared_ptr<TextOutputStream> Append(const std::shared_ptr<FolderItem>& file);
    ~TextOutputStream() override;
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    // Writes every byte of the text, with no line end; raises IOException.
    void Write(const std::string& text);
    // Closing twice is harmless; the destructor closes a stream still open.
    void Close();

  private:
    explicit TextOutputStream(std::string native_path) : native_path_(std::move(native_path)) {}
    int fd_ = -1;
    std::string native_path_;
};
