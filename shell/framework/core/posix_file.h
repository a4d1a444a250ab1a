#pragma once
// File descriptors as the framework's streams use them (framework-internal).

#include <string>

// Raises IOException with the current errno and a message naming the path.
[[noreturn]] void ThrowIOException(const std::string& action, const std::string& path);
// open(2) with close-on-exec, retried when interrupted; raises IOException on failure.
int OpenOrThrow(const std::string& path, int flags, const std::string& action);
// Closes the descriptor if it is open and marks it closed; errors are not reported.
void CloseQuietly(int& fd);
// Raises IOException with EBADF when the stream has been closed.
void ThrowIfClosed(int fd, const std::string& action, const std::string& path);
// Writes every byte, retrying when interrupted or cut short; false with errno set when
// it cannot (EIO for a write that makes no progress).
bool WriteAll(int fd, const std::string& text);
