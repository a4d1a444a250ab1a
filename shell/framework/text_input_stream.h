#pragma once
// Reading a whole text file.

#include "shell/framework/object.h"

#include <memory>
#include <string>

class FolderItem;

class TextInputStream : public Object {
public:
    // Opens the file for reading; raises NilObjectException for nil and IOException on failure.
    static std::shared_ptr<TextInputStream> Open(const std::shared_ptr<FolderItem>& file);
    ~TextInputStream() override;

    // Every remaining byte of the file, as stored; raises IOException.
    std::string ReadAll();
    void Close();

private:
    explicit TextInputStream(int fd) : fd_(fd) {}
    int fd_;
};
