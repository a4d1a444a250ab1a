#pragma once
// Reading a whole text file.

#include "shell/framework/core/object.h"

#include <memory>
#include <string>

class FolderItem;

class TextInputStream : public Object {
  public:
    // Opens the file for reading; raises NilObjectException for nil and IOException on failure.
    static std::shared_ptr<TextInputStream> Open(const std::shared_ptr<FolderItem>& file);
    ~TextInputStream() override;
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // Every remaining byte of the file, as stored; raises IOException.
    std::string ReadAll();
    // Closing twice is harmless; the destructor closes a stream still open.
    void Close();

  private:
    explicit TextInputStream(std::string native_path) : native_path_(std::move(native_path)) {}
    int fd_ = -1;
    std::string native_path_;
};
