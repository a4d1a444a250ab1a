#pragma once
// A new version of a file, written to a temporary file beside it and put in its place in
// one step, so that the file holds the whole old text or the whole new text whatever
// ends the process (framework-internal). Callers hold the file's FileLock throughout.
//
// Where the folder takes no new file (no write bit for us), the file itself may still be
// writable: then the new text is written over the old one in place, under the same lock.
// Room for the whole text is taken first, so a full disk or a size limit leaves the old
// text; but a process ended or a power cut during that write can leave the file part new
// and part old.

#include <string>

struct FileReplacement {
    std::string target;    // the file, links resolved: a link stays and its target changes
    std::string temporary; // the new text's file; empty once committed or discarded
    bool in_place = false; // no temporary file: `text` goes over the target at the commit
    std::string text;

    bool Pending() const { return !temporary.empty() || in_place; }
};

// Removes the new-text files that writers of the file left when they died, then opens the
// new text's file, with the target's permissions, and returns its descriptor. A file that
// may not be written is not replaced either: it is opened for writing first (and created
// when missing) as writing in place would. Raises IOException naming `path`.
int BeginReplacement(const std::string& path, FileReplacement& replacement);
// Writes the text: to the temporary file, or, in place, kept for the commit. On failure
// the replacement is discarded and IOException is raised.
void WriteReplacement(int& fd, FileReplacement& replacement, const std::string& text,
                      const std::string& path);
// Puts the new text in place: flushes the temporary file to the disk, closes it, renames
// it over the target and flushes the folder; or writes the text over the target and
// flushes it. On failure the temporary file goes, the target keeps its text (in place:
// unless the write itself failed midway), and IOException is raised.
void CommitReplacement(int& fd, FileReplacement& replacement, const std::string& path);
// Closes and removes the temporary file; errno is kept for the error being reported.
void DiscardReplacement(int& fd, FileReplacement& replacement);
