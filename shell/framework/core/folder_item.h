#pragma once
// A location in the file system: a file or a folder that may or may not exist.

#include "shell/framework/core/object.h"

#include <memory>
#include <string>

class BinaryStream;
class Sound;

class FolderItem : public Object {
  public:
    explicit FolderItem(std::string native_path);

    // The item named `name` inside this folder; it need not exist.
    std::shared_ptr<FolderItem> Child(const std::string& name) const;
    // The folder holding this item; nil above the root "/" (and above the first name of
    // a relative path).
    std::shared_ptr<FolderItem> Parent() const;
    bool Exists() const;
    const std::string& NativePath() const { return native_path_; }
    // Removes the file (or empty folder); failures are not reported.
    void Delete() const;
    // The existing file opened for reading, and writing when `read_write`; raises
    // IOException (naming the path, with the errno of open(2)).
    std::shared_ptr<BinaryStream> OpenAsBinaryFile(bool read_write) const;
    // The file decoded as a sound; nil when it is missing or not a sound.
    std::shared_ptr<Sound> OpenAsSound() const;

  private:
    std::string native_path_;
};
