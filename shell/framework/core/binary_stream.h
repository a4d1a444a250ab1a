#pragma once
// A file opened for byte access.

#include "shell/framework/core/object.h"

#include <cstdint>
#include <string>

class BinaryStream : public Object {
  public:
    // Takes over the open descriptor; `native_path` names the file in error messages.
    explicit BinaryStream(int fd, std::string native_path = "")
        : fd_(fd), native_path_(std::move(native_path)) {}
    ~BinaryStream() override;
    BinaryStream(const BinaryStream&) = delete;
    BinaryStream& operator=(const BinaryStream&) = delete;

    // The file's size in bytes; raises IOException.
    int64_t Length() const;
    // Setting 0 truncates the file in place; raises IOException.
    void SetLength(int64_t length);
    // Closing twice is harmless; the destructor closes a stream still open.
    void Close();

  private:
    int fd_;
    std::string native_path_;
};
