#pragma once
// A new version of a file, written to a temporary file beside it and put in its place in
// one step, so that the file holds the whole old text or the whole new text whatever
// ends the process (framework-internal).

#include <string>

struct FileReplacement {
    std::string target;    // the file, links resolved: a link stays and its target changes
    std::string temporary; // empty once committed or discarded
};

// Opens the temporary file, with the target's permissions, and returns its descriptor.
// A file that may not be written is not replaced either: it is opened for writing first
// (and created when missing) as writing in place would. Raises IOException naming `path`.
int BeginReplacement(const std::string& path, FileReplacement& replacement);
// Flushes the temporary file to the disk, closes it, renames it over the target and
// flushes the folder. On failure the temporary file goes, the target keeps its text,
// and IOException is raised.
void CommitReplacement(int& fd, FileReplacement& replacement, const std::string& path);
// Closes and removes the temporary file; errno is kept for the error being reported.
void DiscardReplacement(int& fd, FileReplacement& replacement);
