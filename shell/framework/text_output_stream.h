#pragma once
// Writing text (UTF-8) to the end of a file.

#include "shell/framework/object.h"

#include <memory>
#include <string>

class FolderItem;

class TextOutputStream : public Object {
public:
    // Opens the file for writing at its end, creating it when missing; raises
    // NilObjectException for nil and IOException on failure.
    static std::shared_ptr<TextOutputStream> Append(const std::shared_ptr<FolderItem>& file);
    ~TextOutputStream() override;

    // Writes the text as it is, with no line end; raises IOException.
    void Write(const std::string& text);
    void Close();

private:
    explicit TextOutputStream(int fd) : fd_(fd) {}
    int fd_;
};
