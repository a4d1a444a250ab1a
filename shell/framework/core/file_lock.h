#pragma once
// An exclusive advisory lock (flock) on one file, for a read, change and rewrite that no
// other rewrite of the file may come between, in this process or in another one.

#include "shell/framework/core/object.h"

#include <memory>

class FolderItem;

class FileLock : public Object {
  public:
    // Waits for the lock on the file (links followed), creating the file empty when it
    // is missing; raises NilObjectException for nil and IOException on failure.
    static std::shared_ptr<FileLock> Acquire(const std::shared_ptr<FolderItem>& file);
    ~FileLock() override;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Releasing twice is harmless; the destructor releases a lock still held.
    void Release();

  private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_;
};
