#pragma once
// A file opened for byte access.

#include "shell/framework/object.h"

#include <cstdint>

class BinaryStream : public Object {
public:
    explicit BinaryStream(int fd) : fd_(fd) {}
    ~BinaryStream() override;

    int64_t Length() const;
    // Setting 0 truncates the file in place; raises IOException.
    void SetLength(int64_t length);
    void Close();

private:
    int fd_;
};
